vellomir_library(NAME vm_description
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DeviceDescription.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KeyDefinition.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ModelState.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ModelStateActivation.cpp
  DEPS vm_storage vm_xml vm_common)

vellomir_library(NAME vm_profiles
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ConfigKeys.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HexColor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DeviceDefaults.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Profiles.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProfileFile.cpp
  DEPS vm_description vm_storage vm_xml vm_common)

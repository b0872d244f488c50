vellomir_library(NAME vm_macros
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/MacroModel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MacroFiles.cpp
  DEPS vm_storage vm_xml vm_common)

vellomir_test(NAME test_macros
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/MacroModelTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MacroFilesTest.cpp
  DEPS vm_macros vm_storage)

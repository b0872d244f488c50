vellomir_test(NAME test_description
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DeviceDescriptionTest.cpp
  DEPS vm_description)

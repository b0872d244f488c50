vellomir_test(NAME test_protocol_encoding
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DpiConversionTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KeyEncodingTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LoaderFramesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MacroEncodingTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SettingsCommandsTest.cpp
  DEPS vm_protocol)

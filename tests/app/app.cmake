vellomir_test(NAME test_app
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/StartOptionsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FoldersTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SettingsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AutostartTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/IniReaderTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LanguagesTest.cpp
  DEPS vm_app)

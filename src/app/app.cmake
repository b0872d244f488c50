vellomir_library(NAME vm_app
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/AppIdentity.cpp
    ${CMAKE_CURRENT_LIST_DIR}/AppSettings.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Autostart.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Folders.cpp
    ${CMAKE_CURRENT_LIST_DIR}/IniReader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Languages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LanguageTexts.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SettingsFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StartOptions.cpp
  DEPS vm_common)

vellomir_test(NAME test_protocol_encoding
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DpiConversionTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KeyEncodingTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LoaderFramesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MacroEncodingTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SettingsCommandsTest.cpp
  DEPS vm_protocol)

# The procedures end to end: a simulated mouse or receiver, a real database file.
vellomir_test(NAME test_protocol_device
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/FirmwareFlashTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/NotificationsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReadDeviceConfigTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SettingWritesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WriteKeysTest.cpp
  DEPS vm_protocol vm_sim)

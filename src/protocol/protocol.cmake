# vm_protocol: the command encoders and decoders (pure), and the procedures that run them against the
# current device and the stores.
vellomir_library(NAME vm_protocol
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/Crc16.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DeviceExchange.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DeviceState.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DpiCodes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DpiTables.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FirmwareFlash.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KeyEntries.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KeyTable.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KeyWrites.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LoaderFrames.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MacroEncoding.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Notifications.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProfileValues.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReadDeviceConfig.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReportRates.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Request.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SettingWrites.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SettingsCommands.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VirtualKeys.cpp
  DEPS vm_common vm_transport vm_hid vm_storage vm_profiles)

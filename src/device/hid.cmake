# vm_hid: HID backends (hidapi and the process-wide choice of backend), the udev hot-plug monitor and
# the DeviceManager with its records.
vellomir_library(NAME vm_hid
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CurrentTransaction.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DeviceHandle.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DeviceIdentity.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DeviceManager.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HidapiBackend.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HidrawIdentity.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HotplugRouting.cpp
    ${CMAKE_CURRENT_LIST_DIR}/InstalledBackend.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReportDescriptor.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UdevMonitor.cpp
  DEPS vm_common vm_transport PkgConfig::HIDAPI PkgConfig::UDEV Threads::Threads)

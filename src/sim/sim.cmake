vellomir_library(NAME vm_sim
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CreateSimulatedBackend.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Crc16Modbus.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FirmwareLoader.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PacketAssembler.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SimInterface.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SimProtocol.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SimulatePresets.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SimulatedDevice.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SimulatedHidBackend.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SimulatedMouse.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SimulatedReceiver.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VirtualMouse.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VirtualReceiver.cpp
  DEPS vm_common Threads::Threads)

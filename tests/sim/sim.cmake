vellomir_test(NAME test_sim
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SimTestFrames.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MouseProtocolTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReceiverTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FirmwareLoaderTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FaultInjectionTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/BackendTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SimulateDeviceListTest.cpp
  DEPS vm_sim)

vellomir_test(NAME test_hid
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DeviceIdentityTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DeviceManagerTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DeviceManagerThreadTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HidapiBackendTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HidrawIdentityTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HotplugRoutingTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ReportDescriptorTest.cpp
  DEPS vm_hid vm_sim vm_backend_choice)

vellomir_test(NAME test_transport
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/FrameTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/TransactionTest.cpp
  DEPS vm_transport vm_hid vm_sim)

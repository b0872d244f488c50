vellomir_test(NAME test_sim
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SimTestFrames.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MouseProtocolTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/FaultInjectionTest.cpp
  DEPS vm_sim)

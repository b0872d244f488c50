vellomir_test(NAME test_worker
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CThreadBasicTest.cpp
  DEPS vm_worker)

vellomir_test(NAME test_worker
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CThreadBasicTest.cpp
  DEPS vm_worker)

# The worker's update jobs against the local HTTP server and the simulated mouse's loader.
vellomir_test(NAME test_worker_update
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/UpdateJobsTest.cpp
  DEPS vm_worker vm_sim vm_update_test_support)
target_include_directories(test_worker_update PRIVATE ${CMAKE_CURRENT_LIST_DIR})

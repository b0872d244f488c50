# The device worker end to end: real thread, shipped catalogue, SQLite stores and simulated devices.
vellomir_test(NAME test_worker_scenarios
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/RecordingWorkerView.cpp
    ${CMAKE_CURRENT_LIST_DIR}/WorkerScenariosTest.cpp
  DEPS vm_worker vm_sim)

vellomir_test(NAME test_storage
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SQLiteLayerTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ConfigDatabaseTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StoresTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/CrashSafetyTest.cpp
  DEPS vm_storage)

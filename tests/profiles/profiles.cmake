vellomir_test(NAME test_profiles
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ConfigDefaultsTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProfilesTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProfileFileTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProfileCrashSafetyTest.cpp
  DEPS vm_profiles)
# Shares the database fixture of the storage tests.
target_include_directories(test_profiles PRIVATE ${PROJECT_SOURCE_DIR}/tests)

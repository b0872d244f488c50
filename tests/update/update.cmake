find_package(ZLIB REQUIRED)

add_library(vm_update_test_support STATIC
  ${CMAKE_CURRENT_LIST_DIR}/LocalHttpServer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TestProcess.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ZipWriter.cpp)
target_include_directories(vm_update_test_support PUBLIC ${CMAKE_CURRENT_LIST_DIR})
target_link_libraries(vm_update_test_support PUBLIC vm_test_support vm_common PkgConfig::MINIZIP ZLIB::ZLIB)
vellomir_warnings(vm_update_test_support)

vellomir_test(NAME test_update
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/HttpTransferTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UnzipToFolderTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UpdateCheckTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VersionTextTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ZipEntryNameTest.cpp
  DEPS vm_update vm_update_test_support)

# The update jobs end to end, with the firmware transfer going to the simulated mouse's loader.
vellomir_test(NAME test_update_jobs
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/UpdateJobsTest.cpp
  DEPS vm_update vm_update_test_support vm_protocol vm_sim)

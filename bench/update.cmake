vellomir_bench(NAME bench_update SOURCES ${CMAKE_CURRENT_LIST_DIR}/UpdateDownloadBench.cpp DEPS vm_update)

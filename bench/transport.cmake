vellomir_bench(NAME bench_transport SOURCES ${CMAKE_CURRENT_LIST_DIR}/TransportBench.cpp
  DEPS vm_hid vm_transport vm_sim)

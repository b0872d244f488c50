# Firmware transfer and whole-profile write over the simulated 1 ms link, as ratios of their floors.
vellomir_bench(NAME bench_protocol SOURCES ${CMAKE_CURRENT_LIST_DIR}/ProtocolBench.cpp DEPS vm_worker vm_protocol vm_profiles vm_sim)

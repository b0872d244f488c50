# Device worker: queue-to-first-byte latency of a setting job and idle wake-ups, on the simulator.
vellomir_bench(NAME bench_worker SOURCES ${CMAKE_CURRENT_LIST_DIR}/WorkerBench.cpp DEPS vm_worker vm_sim)

# Profile creation, macro save and one configuration write on real database files, as ratios of their
# budgets, with synchronous OFF and NORMAL side by side.
vellomir_bench(NAME bench_storage SOURCES ${CMAKE_CURRENT_LIST_DIR}/StorageBench.cpp DEPS vm_profiles)

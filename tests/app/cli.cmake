# vellomir-cli run as a program on the simulator.
vellomir_test(NAME test_cli SOURCES ${CMAKE_CURRENT_LIST_DIR}/CliTest.cpp DEPS vm_common)
add_dependencies(test_cli vellomir-cli)

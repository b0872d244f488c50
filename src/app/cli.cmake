# vellomir-cli: the worker and the stores without the window (start-up scan, device list, current
# profile), and the catalogue listing.
add_executable(vellomir-cli ${CMAKE_CURRENT_LIST_DIR}/CliMain.cpp ${CMAKE_CURRENT_LIST_DIR}/ConsoleWorkerView.cpp)
target_link_libraries(vellomir-cli PRIVATE vm_worker vm_backend_choice vellomir_core)
add_dependencies(vellomir-cli vellomir_data)
vellomir_warnings(vellomir-cli)

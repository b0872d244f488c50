add_executable(vellomir-cli ${CMAKE_CURRENT_LIST_DIR}/CliMain.cpp)
target_link_libraries(vellomir-cli PRIVATE vm_catalogue vm_app)
add_dependencies(vellomir-cli vellomir_data)
vellomir_warnings(vellomir-cli)

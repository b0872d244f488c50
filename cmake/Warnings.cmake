# Warnings for our own targets: on and clean.
function(vellomir_warnings target)
  target_compile_options(${target} PRIVATE -Wall -Wextra -Wpedantic -Wshadow -Wnon-virtual-dtor
                                           -Wno-missing-field-initializers)
  if(VELLOMIR_WERROR)
    target_compile_options(${target} PRIVATE -Werror)
  endif()
endfunction()

# Declares one static library of the core. Each src/<area> folder owns one or more.
#   vellomir_library(NAME vm_xml SOURCES a.cpp b.cpp DEPS vm_common PkgConfig::X)
function(vellomir_library)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;DEPS" ${ARGN})
  add_library(${ARG_NAME} STATIC ${ARG_SOURCES})
  target_include_directories(${ARG_NAME} PUBLIC ${PROJECT_SOURCE_DIR}/src)
  target_link_libraries(${ARG_NAME} PUBLIC ${ARG_DEPS})
  vellomir_warnings(${ARG_NAME})
endfunction()

# Declares one GoogleTest program; its cases are registered with CTest one by one.
#   vellomir_test(NAME test_xml SOURCES XmlDocTest.cpp DEPS vm_xml)
function(vellomir_test)
  cmake_parse_arguments(ARG "" "NAME" "SOURCES;DEPS" ${ARGN})
  add_executable(${ARG_NAME} ${ARG_SOURCES})
  target_link_libraries(${ARG_NAME} PRIVATE vm_test_support ${ARG_DEPS} GTest::gtest GTest::gmock)
  add_dependencies(${ARG_NAME} vellomir_data)
  vellomir_warnings(${ARG_NAME})
  gtest_discover_tests(${ARG_NAME} WORKING_DIRECTORY ${VELLOMIR_BIN_DIR}
                       DISCOVERY_TIMEOUT 60 PROPERTIES TIMEOUT 300)
endfunction()

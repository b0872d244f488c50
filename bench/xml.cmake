vellomir_bench(NAME bench_xml SOURCES ${CMAKE_CURRENT_LIST_DIR}/XmlDocBench.cpp DEPS vm_xml pugixml::pugixml)

vellomir_test(NAME test_catalogue
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CatalogueTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ShippedDataTest.cpp
  DEPS vm_catalogue vm_app vm_xml)

vellomir_library(NAME vm_catalogue
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/Catalogue.cpp
  DEPS vm_app vm_xml vm_common)

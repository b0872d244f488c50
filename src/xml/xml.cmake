vellomir_library(NAME vm_xml
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/XmlDoc.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XmlIndex.cpp
  DEPS vm_common)

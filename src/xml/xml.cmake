vellomir_library(NAME vm_xml
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/XmlDoc.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XmlIndex.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XmlAttributes.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XmlReferences.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XmlEntities.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XmlCodePages.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XmlEncodingDetect.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XmlTranscode.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XmlDocumentCodec.cpp
  DEPS vm_common)

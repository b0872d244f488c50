vellomir_test(NAME test_xml
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/XmlDocCursorTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XmlDocWriteTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XmlDocEncodingTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XmlDocMalformedTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/XmlReferencesTest.cpp
  DEPS vm_xml)

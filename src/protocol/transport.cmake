# vm_transport: the report frame and the request/reply exchange on an open HID interface.
vellomir_library(NAME vm_transport
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/Frame.cpp
    ${CMAKE_CURRENT_LIST_DIR}/Transaction.cpp
  DEPS vm_common)

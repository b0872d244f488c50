# vm_backend_choice: picks the HID backend of the program (simulator or hidapi).
vellomir_library(NAME vm_backend_choice
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/BackendChoice.cpp
  DEPS vm_hid vm_sim)

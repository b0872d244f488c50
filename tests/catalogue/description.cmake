vellomir_test(NAME test_description
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/DeviceDescriptionTest.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ModelActivationTest.cpp
  DEPS vm_description vm_storage)

vellomir_test(NAME test_shipped_descriptions
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/ShippedDescriptionTest.cpp
  DEPS vm_description vm_catalogue vm_app)

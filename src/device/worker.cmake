vellomir_library(NAME vm_worker
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/CThreadBasic.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ConnectionState.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DeviceListModel.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DeviceWorker.cpp
    ${CMAKE_CURRENT_LIST_DIR}/JobQueue.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ModelSession.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UpdateJobs.cpp
  DEPS vm_update vm_protocol vm_profiles vm_description vm_catalogue vm_storage vm_hid vm_app vm_common Threads::Threads)

vellomir_library(NAME vm_worker
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/CThreadBasic.cpp ${CMAKE_CURRENT_LIST_DIR}/JobQueue.cpp
  DEPS vm_common Threads::Threads)

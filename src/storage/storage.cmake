vellomir_library(NAME vm_storage
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/SQLiteDB.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SQLiteAutoTransaction.cpp
    ${CMAKE_CURRENT_LIST_DIR}/DatabaseSchema.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ConfigDatabase.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StoreTransaction.cpp
    ${CMAKE_CURRENT_LIST_DIR}/StoreSupport.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ConfigStore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProfileStore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/KeyBindingStore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/LightStore.cpp
    ${CMAKE_CURRENT_LIST_DIR}/MacroStore.cpp
  DEPS vm_common PkgConfig::SQLITE3 Threads::Threads)

vellomir_library(NAME vm_update
  SOURCES
    ${CMAKE_CURRENT_LIST_DIR}/FirmwareUpdateJob.cpp
    ${CMAKE_CURRENT_LIST_DIR}/HttpTransfer.cpp
    ${CMAKE_CURRENT_LIST_DIR}/PartFile.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ProgramLauncher.cpp
    ${CMAKE_CURRENT_LIST_DIR}/SoftwareUpdateJob.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UnzipToFolder.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UpdateAddresses.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UpdateCheck.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UpdateFiles.cpp
    ${CMAKE_CURRENT_LIST_DIR}/UpdatePrompt.cpp
    ${CMAKE_CURRENT_LIST_DIR}/VersionText.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ZipEntryName.cpp
    ${CMAKE_CURRENT_LIST_DIR}/ZipExtraField.cpp
  DEPS vm_common PkgConfig::CURL PkgConfig::MINIZIP)

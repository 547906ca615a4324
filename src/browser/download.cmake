# Documents: the browser's download event and our own downloads.
target_sources(etebligat_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/DocumentNames.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Download.cpp)

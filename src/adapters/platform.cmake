# HTTP over libcurl, the host database over Qt SQL, the registry read.
target_sources(etebligat_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ConnectionString.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CurlHttpClient.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Registry.cpp
  ${CMAKE_CURRENT_LIST_DIR}/StatementCatalogue.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SqlHostDatabase.cpp)

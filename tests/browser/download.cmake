# Documents: names, our own downloads and the browser's download event.
etb_add_test(DownloadNamesTest SOURCES ${CMAKE_CURRENT_LIST_DIR}/DownloadNamesTest.cpp)
etb_add_test(DownloadTest SOURCES ${CMAKE_CURRENT_LIST_DIR}/DownloadTest.cpp)

# The three browser views on Qt WebEngine and their reading/acting implementations.
target_sources(etebligat_ui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/BrowserViews.h
  ${CMAKE_CURRENT_LIST_DIR}/BrowserViews.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WebEnginePages.h
  ${CMAKE_CURRENT_LIST_DIR}/WebEnginePages.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WebEngineReadingView.h
  ${CMAKE_CURRENT_LIST_DIR}/WebEngineReadingView.cpp
  ${CMAKE_CURRENT_LIST_DIR}/WebEngineActingView.h
  ${CMAKE_CURRENT_LIST_DIR}/ReadingScript.h
  ${CMAKE_CURRENT_LIST_DIR}/ReadingScript.cpp)

# The browser driver, element queries, menu steps and table reading.
target_sources(etebligat_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ScriptLiteral.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ChromScripts.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TokenBridge.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ElementWalk.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ElementQueries.cpp
  ${CMAKE_CURRENT_LIST_DIR}/MenuSteps.cpp
  ${CMAKE_CURRENT_LIST_DIR}/TableReading.cpp)

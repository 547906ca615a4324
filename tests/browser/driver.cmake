# Browser driver, queries, menu steps and table reading, on real headless Chromium.
# Pauses and limits run at 1/100 of their length.
set(ETB_BROWSER_KIT
  ${CMAKE_CURRENT_LIST_DIR}/BrowserTestKit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/LoopbackServer.cpp)

etb_add_test(browser_reading_view
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/ReadingViewTest.cpp ${ETB_BROWSER_KIT}
  ENV "ETEBLIGAT_TIME_SCALE=0.01")

etb_add_test(browser_driver
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/DriverTest.cpp ${ETB_BROWSER_KIT}
  ENV "ETEBLIGAT_TIME_SCALE=0.01")

etb_add_test(browser_queries
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/QueriesTest.cpp ${ETB_BROWSER_KIT}
  ENV "ETEBLIGAT_TIME_SCALE=0.01")

etb_add_test(browser_table_reading
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/TableReadingTest.cpp ${ETB_BROWSER_KIT}
  ENV "ETEBLIGAT_TIME_SCALE=0.01")

target_sources(ravelha_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AutoRosterPage.h ${CMAKE_CURRENT_LIST_DIR}/AutoRosterPage.cpp
)
target_sources(ravelha_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/USemExped.h ${CMAKE_CURRENT_LIST_DIR}/USemExped.cpp
)

target_sources(ravelha_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AutoRosterPage.h ${CMAKE_CURRENT_LIST_DIR}/AutoRosterPage.cpp
)

target_sources(ravelha_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AutoRosterPage.h ${CMAKE_CURRENT_LIST_DIR}/AutoRosterPage.cpp
)
target_sources(ravelha_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/USemExped.h ${CMAKE_CURRENT_LIST_DIR}/USemExped.cpp
)
target_sources(ravelha_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/AutoRosterTab.h ${CMAKE_CURRENT_LIST_DIR}/AutoRosterTab.cpp
  ${CMAKE_CURRENT_LIST_DIR}/URetiraAlguem.h ${CMAKE_CURRENT_LIST_DIR}/URetiraAlguem.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UForaEscSgte.h ${CMAKE_CURRENT_LIST_DIR}/UForaEscSgte.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UPorQue.h ${CMAKE_CURRENT_LIST_DIR}/UPorQue.cpp
)

target_sources(ravelha_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ManualRosterPage.h ${CMAKE_CURRENT_LIST_DIR}/ManualRosterPage.cpp
  ${CMAKE_CURRENT_LIST_DIR}/SwapPage.h ${CMAKE_CURRENT_LIST_DIR}/SwapPage.cpp
)
target_sources(ravelha_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/UEscolherSv.h ${CMAKE_CURRENT_LIST_DIR}/UEscolherSv.cpp
)

target_sources(ravelha_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/UManual.h ${CMAKE_CURRENT_LIST_DIR}/UManual.cpp
  ${CMAKE_CURRENT_LIST_DIR}/UListaNumNomes.h ${CMAKE_CURRENT_LIST_DIR}/UListaNumNomes.cpp
)
target_sources(ravelha_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/MaintenancePage.h ${CMAKE_CURRENT_LIST_DIR}/MaintenancePage.cpp
)

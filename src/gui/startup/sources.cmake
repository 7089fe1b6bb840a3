target_sources(ravelha_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/UPrincipal.h ${CMAKE_CURRENT_LIST_DIR}/UPrincipal.cpp
  ${CMAKE_CURRENT_LIST_DIR}/CapaPage.h ${CMAKE_CURRENT_LIST_DIR}/CapaPage.cpp
)

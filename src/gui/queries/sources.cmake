target_sources(ravelha_gui PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/ConsultasPage.h ${CMAKE_CURRENT_LIST_DIR}/ConsultasPage.cpp
)

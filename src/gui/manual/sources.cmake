# The tabs "Escalar Manual" and "Trocas Sv", and the service chooser.
file(GLOB manual_gui_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.h ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
target_sources(ravelha_gui PRIVATE ${manual_gui_sources})

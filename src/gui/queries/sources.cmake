# The tab "Consultas" and its three windows.
file(GLOB queries_gui_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.h ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
target_sources(ravelha_gui PRIVATE ${queries_gui_sources})

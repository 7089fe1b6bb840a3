# The maintenance tab and its windows, the manual window and the personnel lookup.
file(GLOB maintenance_gui_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.h ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
target_sources(ravelha_gui PRIVATE ${maintenance_gui_sources})

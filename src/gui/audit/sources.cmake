# The windows of the explanations, the balance of the rosters and the exports.
file(GLOB audit_gui_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.h ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
target_sources(ravelha_gui PRIVATE ${audit_gui_sources})

# Queries and reports: history search, services per soldier, the board, membership lists.
file(GLOB queries_core_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.h ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
target_sources(ravelha_core PRIVATE ${queries_core_sources})

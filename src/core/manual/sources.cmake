# Manual rostering and swaps: the grid, its verification and commit, the exchange of a duty.
file(GLOB manual_core_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.h ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
target_sources(ravelha_core PRIVATE ${manual_core_sources})

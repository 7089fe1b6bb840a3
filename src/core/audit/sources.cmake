# The log of counts, its audit, and the exports of the history (calendar, spreadsheet).
file(GLOB audit_core_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.h ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
target_sources(ravelha_core PRIVATE ${audit_core_sources})

target_sources(ravelha_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/PersonnelLookup.h ${CMAKE_CURRENT_LIST_DIR}/PersonnelLookup.cpp
)

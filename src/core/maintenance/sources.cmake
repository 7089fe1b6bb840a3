# Keeping the registers: personnel lookup, inclusion and exclusion, absences, the service register,
# equalising and zeroing, rank spellings.
file(GLOB maintenance_core_sources CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.h ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
target_sources(ravelha_core PRIVATE ${maintenance_core_sources})

# Automatic rostering: calendar, availability rules, computation, commit and undo, printouts.
target_sources(ravelha_core PRIVATE
  ${CMAKE_CURRENT_LIST_DIR}/Calendar.h ${CMAKE_CURRENT_LIST_DIR}/Calendar.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Removals.h ${CMAKE_CURRENT_LIST_DIR}/Removals.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Rules.h ${CMAKE_CURRENT_LIST_DIR}/Rules.cpp
  ${CMAKE_CURRENT_LIST_DIR}/ModelIndex.h ${CMAKE_CURRENT_LIST_DIR}/ModelIndex.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Computation.h ${CMAKE_CURRENT_LIST_DIR}/Computation.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Decisions.h ${CMAKE_CURRENT_LIST_DIR}/Decisions.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Commit.h ${CMAKE_CURRENT_LIST_DIR}/Commit.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RosterSession.h ${CMAKE_CURRENT_LIST_DIR}/RosterSession.cpp
  ${CMAKE_CURRENT_LIST_DIR}/RosterPrintout.h ${CMAKE_CURRENT_LIST_DIR}/RosterPrintout.cpp
  ${CMAKE_CURRENT_LIST_DIR}/Priorities.h ${CMAKE_CURRENT_LIST_DIR}/Priorities.cpp
  # The printing seam every printout is written against.
  ${CMAKE_CURRENT_LIST_DIR}/../printing/Printer.h ${CMAKE_CURRENT_LIST_DIR}/../printing/Printer.cpp
  ${CMAKE_CURRENT_LIST_DIR}/../printing/RecordingPrinter.h
)

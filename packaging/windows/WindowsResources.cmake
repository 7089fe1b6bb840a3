# Gives a Windows program its icon and version information (a resource script made from
# program.rc.in). The description is written in Windows-1252, the code page the script declares.
function(ravelha_windows_resources target description)
  set(RAVELHA_PROGRAM ${target})
  set(RAVELHA_DESCRIPTION "${description}")
  set(RAVELHA_ICON "${CMAKE_SOURCE_DIR}/packaging/windows/ravelha.ico")
  configure_file(${CMAKE_SOURCE_DIR}/packaging/windows/program.rc.in
    ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc.utf8 @ONLY)
  # windres reads the script in the code page it names; convert the UTF-8 text once here.
  execute_process(COMMAND iconv -f UTF-8 -t WINDOWS-1252
    INPUT_FILE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc.utf8
    OUTPUT_FILE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc
    RESULT_VARIABLE converted)
  if(NOT converted EQUAL 0)
    message(FATAL_ERROR "Não foi possível converter ${target}.rc para Windows-1252")
  endif()
  target_sources(${target} PRIVATE ${CMAKE_CURRENT_BINARY_DIR}/${target}.rc)
endfunction()

# Quorlet_Help.chm, compiled with chmcmd beside Quorlet.exe.
find_program(QUORLET_CHMCMD NAMES chmcmd)
if(QUORLET_CHMCMD)
  file(STRINGS ${PROJECT_SOURCE_DIR}/help/sources.txt QUORLET_HELP_FILES)
  list(TRANSFORM QUORLET_HELP_FILES PREPEND ${PROJECT_SOURCE_DIR}/help/)
  set(QUORLET_CHM ${CMAKE_BINARY_DIR}/Quorlet_Help.chm)
  add_custom_command(OUTPUT ${QUORLET_CHM}
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}/help
            -DWORK_DIR=${CMAKE_BINARY_DIR}/help-build -DOUTPUT=${QUORLET_CHM}
            -DCHMCMD=${QUORLET_CHMCMD} -P ${PROJECT_SOURCE_DIR}/cmake/CompileHelp.cmake
    DEPENDS ${QUORLET_HELP_FILES} ${PROJECT_SOURCE_DIR}/cmake/CompileHelp.cmake
    COMMENT "Compiling Quorlet_Help.chm"
    VERBATIM)
  add_custom_target(QuorletHelp ALL DEPENDS ${QUORLET_CHM})
  add_dependencies(Quorlet QuorletHelp)
elseif(NOT MSVC)
  message(WARNING "chmcmd not found: Quorlet_Help.chm is not built")
endif()

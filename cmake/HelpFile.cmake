# Quorlet_Help.chm, compiled with chmcmd and put beside Quorlet.exe (in the
# configuration's folder with a multi-configuration generator).
find_program(QUORLET_CHMCMD NAMES chmcmd)
if(QUORLET_CHMCMD)
  file(STRINGS ${PROJECT_SOURCE_DIR}/help/sources.txt QUORLET_HELP_FILES)
  list(TRANSFORM QUORLET_HELP_FILES PREPEND ${PROJECT_SOURCE_DIR}/help/)
  set(QUORLET_CHM_COMPILED ${CMAKE_BINARY_DIR}/help-out/Quorlet_Help.chm)
  add_custom_command(OUTPUT ${QUORLET_CHM_COMPILED}
    COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}/help
            -DWORK_DIR=${CMAKE_BINARY_DIR}/help-build -DOUTPUT=${QUORLET_CHM_COMPILED}
            -DCHMCMD=${QUORLET_CHMCMD} -DPYTHON=${Python3_EXECUTABLE}
            -P ${PROJECT_SOURCE_DIR}/cmake/CompileHelp.cmake
    DEPENDS ${QUORLET_HELP_FILES} ${PROJECT_SOURCE_DIR}/cmake/CompileHelp.cmake
            ${PROJECT_SOURCE_DIR}/cmake/clear_chm_timestamps.py
    COMMENT "Compiling Quorlet_Help.chm"
    VERBATIM)
  add_custom_target(QuorletHelp ALL
    COMMAND ${CMAKE_COMMAND} -E copy_if_different ${QUORLET_CHM_COMPILED} $<TARGET_FILE_DIR:Quorlet>/Quorlet_Help.chm
    DEPENDS ${QUORLET_CHM_COMPILED}
    VERBATIM)
  add_dependencies(QuorletHelp Quorlet)
elseif(NOT MSVC)
  message(WARNING "chmcmd not found: Quorlet_Help.chm is not built")
endif()

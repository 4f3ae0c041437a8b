# Quorlet_Help.chm, compiled with chmcmd beside Quorlet.exe.
find_program(QUORLET_CHMCMD NAMES chmcmd)
if(QUORLET_CHMCMD)
  file(STRINGS ${PROJECT_SOURCE_DIR}/help/sources.txt QUORLET_HELP_FILES)
  list(TRANSFORM QUORLET_HELP_FILES PREPEND ${PROJECT_SOURCE_DIR}/help/)
  set(QUORLET_CHM ${CMAKE_BINARY_DIR}/Quorlet_Help.chm)
  add_custom_command(OUTPUT ${QUORLET_CHM}
    COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/help-build
    COMMAND ${CMAKE_COMMAND} -E copy_directory ${PROJECT_SOURCE_DIR}/help ${CMAKE_BINARY_DIR}/help-build
    COMMAND ${QUORLET_CHMCMD} Quorlet_Help.hhp > chmcmd.log
    COMMAND ${CMAKE_COMMAND} -E copy Quorlet_Help.chm ${QUORLET_CHM}
    WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/help-build
    DEPENDS ${QUORLET_HELP_FILES}
    COMMENT "Compiling Quorlet_Help.chm")
  add_custom_target(QuorletHelp ALL DEPENDS ${QUORLET_CHM})
  add_dependencies(Quorlet QuorletHelp)
elseif(NOT MSVC)
  message(WARNING "chmcmd not found: Quorlet_Help.chm is not built")
endif()

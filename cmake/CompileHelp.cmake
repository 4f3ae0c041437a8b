# cmake -DSOURCE_DIR=... -DWORK_DIR=... -DOUTPUT=... -DCHMCMD=... -P CompileHelp.cmake
file(REMOVE_RECURSE ${WORK_DIR})
file(COPY ${SOURCE_DIR}/ DESTINATION ${WORK_DIR})
execute_process(COMMAND ${CHMCMD} Quorlet_Help.hhp
  WORKING_DIRECTORY ${WORK_DIR}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT EXISTS ${WORK_DIR}/Quorlet_Help.chm)
  message(FATAL_ERROR "chmcmd failed (${result}):\n${output}")
endif()
get_filename_component(output_dir ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${output_dir})
file(COPY_FILE ${WORK_DIR}/Quorlet_Help.chm ${OUTPUT})

# cmake -DSOURCE_DIR=... -DWORK_DIR=... -DOUTPUT=... -DCHMCMD=... -DPYTHON=... -P CompileHelp.cmake
# The compile times chmcmd stamps into the file are cleared, so that the same
# sources give the same file. The project asks for no binary index: chmcmd
# leaves two bytes of it unset, which would differ from one run to the next.
file(REMOVE_RECURSE ${WORK_DIR})
file(COPY ${SOURCE_DIR}/ DESTINATION ${WORK_DIR})
execute_process(COMMAND ${CHMCMD} Quorlet_Help.hhp
  WORKING_DIRECTORY ${WORK_DIR}
  RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0 OR NOT EXISTS ${WORK_DIR}/Quorlet_Help.chm)
  message(FATAL_ERROR "chmcmd failed (${result}):\n${output}")
endif()
execute_process(COMMAND ${PYTHON} -B ${CMAKE_CURRENT_LIST_DIR}/clear_chm_timestamps.py ${WORK_DIR}/Quorlet_Help.chm
  RESULT_VARIABLE result)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "Cannot clear the compile times in Quorlet_Help.chm")
endif()
get_filename_component(output_dir ${OUTPUT} DIRECTORY)
file(MAKE_DIRECTORY ${output_dir})
file(COPY_FILE ${WORK_DIR}/Quorlet_Help.chm ${OUTPUT})

# cmake -DCHECKER=<CheckLayers.cmake> -DFIXTURES=<tests/layers> -P CheckLayersTest.cmake
# The layer check accepts a tree that keeps the layers and names every include
# that breaks them.
execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${FIXTURES}/good "-DLAYERS=base;settings;shell;launcher" -P ${CHECKER}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(NOT result EQUAL 0)
  message(FATAL_ERROR "a tree that keeps the layers was rejected:\n${output}")
endif()

execute_process(COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${FIXTURES}/bad "-DLAYERS=base;settings;shell;launcher" -P ${CHECKER}
                RESULT_VARIABLE result OUTPUT_VARIABLE output ERROR_VARIABLE output)
if(result EQUAL 0)
  message(FATAL_ERROR "a tree that breaks the layers was accepted")
endif()
set(expected
  "base/Paths.h includes settings/UAppSettingXml.h, a higher layer than base"
  "settings/Store.cpp includes <Windows.h>, a Windows header"
  "launcher/Rules.cpp includes app/UMain.h, window code"
  "launcher/Rules.cpp includes platform/Win32Platform.h, window code"
  "launcher/Rules.cpp includes <commctrl.h>, a Windows header")
foreach(line ${expected})
  string(FIND "${output}" "${line}" at)
  if(at EQUAL -1)
    message(FATAL_ERROR "the check did not report \"${line}\":\n${output}")
  endif()
endforeach()
string(REGEX MATCHALL "includes " reported "${output}")
list(LENGTH reported count)
list(LENGTH expected wanted)
if(NOT count EQUAL wanted)
  message(FATAL_ERROR "the check reported ${count} includes, not ${wanted}:\n${output}")
endif()

# Windows suite: window tests in-process and end-to-end checks of Quorlet.exe, run under Wine.

# A program the tests launch: it records its arguments and working folder.
# It carries three of the program's icons (generated with Quorlet's resources).
set(RECORDER_RC ${CMAKE_CURRENT_LIST_DIR}/recorder/QuorletRecorder.rc)
set_source_files_properties(${RECORDER_RC} PROPERTIES
  OBJECT_DEPENDS "${QUORLET_ICON_DIR}/Options.ico;${QUORLET_ICON_DIR}/Report.ico;${QUORLET_ICON_DIR}/Alarm.ico")
add_executable(QuorletRecorder WIN32 ${CMAKE_CURRENT_LIST_DIR}/recorder/QuorletRecorder.cpp ${RECORDER_RC})
add_dependencies(QuorletRecorder Quorlet)
# Loaded by a test into a running Quorlet.exe: records the session end the
# program asks for instead of letting it happen.
add_library(SessionEndHook SHARED ${CMAKE_CURRENT_LIST_DIR}/sessionhook/SessionEndHook.cpp)
set_target_properties(SessionEndHook PROPERTIES PREFIX "")
file(GLOB WIN_TEST_SOURCES CONFIGURE_DEPENDS ${CMAKE_CURRENT_LIST_DIR}/*.cpp)
add_executable(win_tests ${WIN_TEST_SOURCES}
  ${CMAKE_CURRENT_SOURCE_DIR}/fakes/TempFolder.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/fakes/FakePlatform.cpp
  ${QUORLET_RC})
target_include_directories(win_tests PRIVATE ${CMAKE_CURRENT_SOURCE_DIR})
target_link_libraries(win_tests PRIVATE quorlet_win version ${QUORLET_GTEST})
target_compile_definitions(win_tests PRIVATE
  QUORLET_EXE_PATH="Z:$<TARGET_FILE:Quorlet>"
  QUORLET_CHM_PATH="Z:$<TARGET_FILE_DIR:Quorlet>/Quorlet_Help.chm"
  QUORLET_RECORDER_PATH="Z:$<TARGET_FILE:QuorletRecorder>"
  QUORLET_SESSION_HOOK_PATH="Z:$<TARGET_FILE:SessionEndHook>"
  QUORLET_MULTI_IMAGE_ICO="Z:${QUORLET_ICON_DIR}/Quorlet.ico"
  QUORLET_SCREENSHOT_DIR="Z:${CMAKE_BINARY_DIR}")
add_dependencies(win_tests Quorlet QuorletRecorder SessionEndHook)
if(TARGET QuorletHelp)
  add_dependencies(win_tests QuorletHelp)
endif()
add_test(NAME win_tests COMMAND win_tests)
set_tests_properties(win_tests PROPERTIES TIMEOUT 600)

find_program(QUORLET_7Z NAMES 7z)
if(QUORLET_7Z AND QUORLET_CHMCMD)
  add_test(NAME help_contents COMMAND ${CMAKE_COMMAND} -DCHM=$<TARGET_FILE_DIR:Quorlet>/Quorlet_Help.chm
           -DSEVENZIP=${QUORLET_7Z} -P ${CMAKE_CURRENT_LIST_DIR}/CheckHelpContents.cmake)
endif()

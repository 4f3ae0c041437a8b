# The smoke test of the download: scripts/package-smoke.sh runs it against the
# unpacked win64 archive in a Wine prefix of its own, so it is no ctest test.
add_executable(package_smoke
  ${CMAKE_CURRENT_LIST_DIR}/PackageSmoke_test.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/win/QuorletProcess.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/win/RemoteControls.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/win/CellProbe.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/win/WinTestSupport.cpp
  ${CMAKE_CURRENT_SOURCE_DIR}/fakes/TempFolder.cpp)
target_include_directories(package_smoke PRIVATE ${CMAKE_CURRENT_SOURCE_DIR} ${CMAKE_CURRENT_SOURCE_DIR}/win)
target_link_libraries(package_smoke PRIVATE quorlet_win ntdll ${QUORLET_GTEST})
target_compile_definitions(package_smoke PRIVATE
  QUORLET_RECORDER_PATH="Z:$<TARGET_FILE:QuorletRecorder>"
  QUORLET_SCREENSHOT_DIR="Z:${CMAKE_BINARY_DIR}")
add_dependencies(package_smoke QuorletRecorder)

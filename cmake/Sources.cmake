# Portable core: every rule of the program, no <windows.h>. Its sources are
# the portable folders, each a layer that uses only the layers before it
# (cmake/CheckLayers.cmake); natively they are compiled where no window
# system exists, so window code that slips in fails the native build.
set(QUORLET_PORTABLE_LAYERS base settings shell launcher alarm report)
set(QUORLET_CORE_SOURCES)
foreach(layer ${QUORLET_PORTABLE_LAYERS})
  file(GLOB layer_sources CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/${layer}/*.cpp)
  list(APPEND QUORLET_CORE_SOURCES ${layer_sources})
endforeach()
if(WIN32)
  # File access is the one base service with a system side of its own.
  list(FILTER QUORLET_CORE_SOURCES EXCLUDE REGEX "/FileIoPosix\\.cpp$")
  list(APPEND QUORLET_CORE_SOURCES ${PROJECT_SOURCE_DIR}/src/platform/FileIoWin32.cpp)
endif()

add_custom_target(check_layers
  COMMAND ${CMAKE_COMMAND} -DSOURCE_DIR=${PROJECT_SOURCE_DIR}/src "-DLAYERS=${QUORLET_PORTABLE_LAYERS}"
          -P ${PROJECT_SOURCE_DIR}/cmake/CheckLayers.cmake
  COMMENT "Checking that portable code uses no window code and no higher layer"
  VERBATIM)

add_library(quorlet_core STATIC ${QUORLET_CORE_SOURCES})
target_include_directories(quorlet_core PUBLIC ${PROJECT_SOURCE_DIR}/src)
add_dependencies(quorlet_core check_layers)

if(WIN32)
  include(cmake/Windows.cmake)
endif()

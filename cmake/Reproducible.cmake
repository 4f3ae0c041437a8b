# The released program and its symbols are the same bytes whoever builds the
# same sources, and wherever: the debug information names the sources under
# /quorlet/ instead of the folder they were built in, both when the compiler
# is given absolute paths and when ccache hands it paths relative to the build
# folder (its base_dir). ccache keeps the maps' paths out of its key, so a
# change to them needs a change to the options themselves, or cached objects
# keep the old paths. Times are kept out of the PE headers by the link
# options in CMakeLists.txt and the objcopy steps in Windows.cmake.
function(quorlet_fixed_source_paths)
  if(MSVC)
    return()
  endif()
  file(RELATIVE_PATH relative_source ${CMAKE_CURRENT_BINARY_DIR} ${PROJECT_SOURCE_DIR})
  string(REGEX REPLACE "/$" "" relative_source "${relative_source}")
  set(maps -fdebug-prefix-map=${PROJECT_SOURCE_DIR}/=/quorlet/)
  if(relative_source)
    list(APPEND maps -fdebug-prefix-map=${relative_source}/=/quorlet/)
  endif()
  foreach(target ${ARGN})
    target_compile_options(${target} PRIVATE ${maps})
  endforeach()
endfunction()

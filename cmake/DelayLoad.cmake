# The shell, COM, automation, common dialog and socket libraries are loaded
# when the program first calls them, not at its start: the window shows
# without them, and the shell's first work happens on the icon worker.
# QUORLET_DELAYED_LIBS names what to link instead of their import libraries.
set(QUORLET_DELAYED_DLLS shell32 ole32 oleaut32 comdlg32 ws2_32)
if(MSVC)
  set(QUORLET_DELAYED_LIBS ${QUORLET_DELAYED_DLLS} delayimp)
  set(QUORLET_DELAYED_LINK_OPTIONS)
  foreach(dll ${QUORLET_DELAYED_DLLS})
    list(APPEND QUORLET_DELAYED_LINK_OPTIONS /DELAYLOAD:${dll}.dll)
  endforeach()
elseif(MINGW AND CMAKE_DLLTOOL)
  # A delay-import library for each, made from the list of what the program
  # uses (cmake/delayload/*.def); a function missing there fails the link.
  # dlltool names its symbols after the output path, so it is given the bare
  # file name: the program's symbols then do not depend on the build folder.
  set(QUORLET_DELAYED_LIBS)
  set(QUORLET_DELAYED_LINK_OPTIONS)
  file(MAKE_DIRECTORY ${CMAKE_BINARY_DIR}/delayload)
  foreach(dll ${QUORLET_DELAYED_DLLS})
    set(def ${PROJECT_SOURCE_DIR}/cmake/delayload/${dll}.def)
    set(lib ${CMAKE_BINARY_DIR}/delayload/lib${dll}_delay.a)
    add_custom_command(OUTPUT ${lib}
      COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --output-delaylib lib${dll}_delay.a
      WORKING_DIRECTORY ${CMAKE_BINARY_DIR}/delayload
      DEPENDS ${def}
      COMMENT "Making the delay-import library of ${dll}.dll"
      VERBATIM)
    add_custom_target(${dll}_delay_lib DEPENDS ${lib})
    list(APPEND QUORLET_DELAYED_LIBS ${lib})
  endforeach()
  # The lists name functions undecorated, as the 64-bit link wants them. The
  # 32-bit link wants stdcall names (select@20) and takes the other libraries
  # from the import libraries CMake links by default; the socket library is
  # not among those, so its import library follows its delay-import one,
  # which the 64-bit link takes every name from first.
  list(APPEND QUORLET_DELAYED_LIBS ws2_32)
else()
  set(QUORLET_DELAYED_LIBS ${QUORLET_DELAYED_DLLS})
  set(QUORLET_DELAYED_LINK_OPTIONS)
endif()

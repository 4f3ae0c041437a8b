# The shell, COM, automation and common dialog libraries are loaded when the program first
# calls them, not at its start: the window shows without them, and the shell's
# first work happens on the icon worker. QUORLET_DELAYED_LIBS names what to
# link instead of their import libraries.
set(QUORLET_DELAYED_DLLS shell32 ole32 oleaut32 comdlg32)
if(MSVC)
  set(QUORLET_DELAYED_LIBS ${QUORLET_DELAYED_DLLS} delayimp)
  set(QUORLET_DELAYED_LINK_OPTIONS)
  foreach(dll ${QUORLET_DELAYED_DLLS})
    list(APPEND QUORLET_DELAYED_LINK_OPTIONS /DELAYLOAD:${dll}.dll)
  endforeach()
elseif(MINGW AND CMAKE_DLLTOOL)
  # A delay-import library for each, made from the list of what the program
  # uses (cmake/delayload/*.def); a function missing there fails the link.
  set(QUORLET_DELAYED_LIBS)
  set(QUORLET_DELAYED_LINK_OPTIONS)
  foreach(dll ${QUORLET_DELAYED_DLLS})
    set(def ${PROJECT_SOURCE_DIR}/cmake/delayload/${dll}.def)
    set(lib ${CMAKE_BINARY_DIR}/delayload/lib${dll}_delay.a)
    add_custom_command(OUTPUT ${lib}
      COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/delayload
      COMMAND ${CMAKE_DLLTOOL} --input-def ${def} --output-delaylib ${lib}
      DEPENDS ${def}
      COMMENT "Making the delay-import library of ${dll}.dll"
      VERBATIM)
    add_custom_target(${dll}_delay_lib DEPENDS ${lib})
    list(APPEND QUORLET_DELAYED_LIBS ${lib})
  endforeach()
else()
  set(QUORLET_DELAYED_LIBS ${QUORLET_DELAYED_DLLS})
  set(QUORLET_DELAYED_LINK_OPTIONS)
endif()

# cmake -DSOURCE_DIR=<src> "-DLAYERS=base;settings;..." -P CheckLayers.cmake
#
# The portable folders are layers, each allowed to use only itself and the
# layers before it. None may use a Windows header or the window code: those
# rules are built and tested natively, where no window system exists.
# Fails with one line per offending include.
cmake_policy(SET CMP0057 NEW)
set(QUORLET_LAYERS ${LAYERS})
# Window code and the Win32 side of the system services.
set(QUORLET_WINDOW_FOLDERS win32 platform app dialogs)

if(NOT SOURCE_DIR OR NOT LAYERS)
  message(FATAL_ERROR "CheckLayers.cmake: SOURCE_DIR and LAYERS must be set")
endif()

set(violations "")
set(allowed "")
foreach(layer ${QUORLET_LAYERS})
  list(APPEND allowed ${layer})
  file(GLOB_RECURSE files RELATIVE ${SOURCE_DIR}
       ${SOURCE_DIR}/${layer}/*.h ${SOURCE_DIR}/${layer}/*.cpp)
  foreach(file ${files})
    file(STRINGS ${SOURCE_DIR}/${file} includes REGEX "^[ \t]*#[ \t]*include[ \t]*[<\"]")
    foreach(line ${includes})
      string(REGEX REPLACE "^[ \t]*#[ \t]*include[ \t]*[<\"]([^>\"]*)[>\"].*$" "\\1" header "${line}")
      string(TOLOWER "${header}" lower)
      get_filename_component(name "${lower}" NAME)
      if(name MATCHES "^(windows|windef|winbase|winuser|wingdi|winreg|winnt|winerror|commctrl|commdlg|shellapi|shlobj|shlwapi|objbase|ole2|oleauto|mmsystem|wininet|winsock2?|ws2tcpip|richedit|uxtheme|dwmapi|combaseapi|unknwn|oleacc|shobjidl|tchar)\\.h$")
        string(APPEND violations "${file} includes <${header}>, a Windows header\n")
        continue()
      endif()
      if(header MATCHES "^([A-Za-z0-9_]+)/")
        set(folder ${CMAKE_MATCH_1})
        if(folder IN_LIST QUORLET_WINDOW_FOLDERS)
          string(APPEND violations "${file} includes ${header}, window code\n")
        elseif(folder IN_LIST QUORLET_LAYERS AND NOT folder IN_LIST allowed)
          string(APPEND violations "${file} includes ${header}, a higher layer than ${layer}\n")
        endif()
      endif()
    endforeach()
  endforeach()
endforeach()

if(violations)
  message(FATAL_ERROR "Portable code must not depend on window code or on a higher layer "
                      "(layers, lowest first: ${QUORLET_LAYERS}):\n${violations}")
endif()

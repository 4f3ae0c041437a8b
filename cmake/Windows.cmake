# The Windows program: window code and the Win32 side of system services.
file(GLOB QUORLET_WIN_SOURCES CONFIGURE_DEPENDS
  ${PROJECT_SOURCE_DIR}/src/win32/*.cpp
  ${PROJECT_SOURCE_DIR}/src/platform/*.cpp
  ${PROJECT_SOURCE_DIR}/src/app/*.cpp
  ${PROJECT_SOURCE_DIR}/src/dialogs/*.cpp)
list(FILTER QUORLET_WIN_SOURCES EXCLUDE REGEX "/Quorlet\\.cpp$")  # the entry belongs to the exe
# Portable units already in the core.
foreach(core_source ${QUORLET_CORE_SOURCES})
  list(REMOVE_ITEM QUORLET_WIN_SOURCES ${core_source})
endforeach()

add_library(quorlet_win STATIC ${QUORLET_WIN_SOURCES})
target_include_directories(quorlet_win PUBLIC ${PROJECT_SOURCE_DIR} ${PROJECT_SOURCE_DIR}/src)
include(${PROJECT_SOURCE_DIR}/cmake/DelayLoad.cmake)
target_link_libraries(quorlet_win PUBLIC quorlet_core comctl32 ${QUORLET_DELAYED_LIBS} uuid advapi32 user32 gdi32)
foreach(dll ${QUORLET_DELAYED_DLLS})
  if(TARGET ${dll}_delay_lib)
    add_dependencies(quorlet_win ${dll}_delay_lib)
  endif()
endforeach()

# Resources. The icons are drawn from their sources in resources/icons/ into
# the build folder; the resource compiler looks there before the source folder.
find_package(Python3 COMPONENTS Interpreter REQUIRED)
set(QUORLET_ICON_DIR ${CMAKE_BINARY_DIR}/resources)
set(QUORLET_ICONS)
foreach(icon Quorlet MissedIcon Options Report Alarm AlarmOn Backup Restore
             AlarmFrame0 AlarmFrame1 AlarmFrame2 AlarmEnabled AlarmDisabled AboutEmblem)
  list(APPEND QUORLET_ICONS ${QUORLET_ICON_DIR}/${icon}.ico)
endforeach()
file(GLOB QUORLET_ICON_SOURCES CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/resources/icons/*.py)
add_custom_command(OUTPUT ${QUORLET_ICONS}
  COMMAND ${Python3_EXECUTABLE} ${PROJECT_SOURCE_DIR}/resources/make_icons.py ${QUORLET_ICON_DIR}
  DEPENDS ${PROJECT_SOURCE_DIR}/resources/make_icons.py ${QUORLET_ICON_SOURCES}
  COMMENT "Drawing the icons"
  VERBATIM)

# The alarm's default tone, Alarm1.wav, made by the same script as the click
# sounds and put beside Quorlet.exe.
set(QUORLET_ALARM_TONE ${QUORLET_ICON_DIR}/Alarm1.wav)
add_custom_command(OUTPUT ${QUORLET_ALARM_TONE}
  COMMAND ${Python3_EXECUTABLE} -B ${PROJECT_SOURCE_DIR}/resources/make_resources.py --alarm-tone ${QUORLET_ALARM_TONE}
  DEPENDS ${PROJECT_SOURCE_DIR}/resources/make_resources.py
  COMMENT "Making the alarm tone"
  VERBATIM)

set(QUORLET_RC ${PROJECT_SOURCE_DIR}/resources/Quorlet.rc)
set_source_files_properties(${QUORLET_RC} PROPERTIES
  OBJECT_DEPENDS "${QUORLET_ICONS};${PROJECT_SOURCE_DIR}/resources/resource.h;${PROJECT_SOURCE_DIR}/resources/Quorlet.manifest;${PROJECT_SOURCE_DIR}/resources/AlarmDialogs.rc;${PROJECT_SOURCE_DIR}/resources/ReportDialogs.rc;${PROJECT_SOURCE_DIR}/resources/AboutDialogs.rc;${PROJECT_SOURCE_DIR}/resources/ButtonDialogs.rc;${PROJECT_SOURCE_DIR}/resources/OptionsDialogs.rc;${PROJECT_SOURCE_DIR}/resources/Icon.wav;${PROJECT_SOURCE_DIR}/resources/Tabsheet.wav")
if(MSVC)
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} /I \"${QUORLET_ICON_DIR}\" /I \"${PROJECT_SOURCE_DIR}/resources\"")
else()
  set(CMAKE_RC_FLAGS "${CMAKE_RC_FLAGS} -I \"${QUORLET_ICON_DIR}\" -I \"${PROJECT_SOURCE_DIR}/resources\"")
endif()

add_executable(Quorlet WIN32 ${PROJECT_SOURCE_DIR}/src/app/Quorlet.cpp ${QUORLET_RC})
# Listed as sources so that the icons are drawn before the resource script
# is compiled; other targets that compile it depend on Quorlet.
target_sources(Quorlet PRIVATE ${QUORLET_ICONS} ${QUORLET_ALARM_TONE})
set_property(TARGET Quorlet APPEND PROPERTY LINK_DEPENDS ${QUORLET_ALARM_TONE})
add_custom_command(TARGET Quorlet POST_BUILD
  COMMAND ${CMAKE_COMMAND} -E copy_if_different ${QUORLET_ALARM_TONE} $<TARGET_FILE_DIR:Quorlet>/Alarm1.wav
  VERBATIM)
target_link_libraries(Quorlet PRIVATE quorlet_win)
include(${PROJECT_SOURCE_DIR}/cmake/Reproducible.cmake)
quorlet_fixed_source_paths(quorlet_core quorlet_win Quorlet)
if(MSVC)
  # The manifest comes from the resource script.
  target_link_options(Quorlet PRIVATE /MANIFEST:NO ${QUORLET_DELAYED_LINK_OPTIONS})
elseif(CMAKE_OBJCOPY)
  # The program carries no debug information; its symbols go to Quorlet.debug
  # beside it, which debuggers find through the link left in the program.
  # objcopy stamps the time of day into the PE header of what it writes unless
  # SOURCE_DATE_EPOCH names one: 0, as the link leaves it.
  add_custom_command(TARGET Quorlet POST_BUILD
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0
            ${CMAKE_OBJCOPY} --only-keep-debug Quorlet.exe Quorlet.debug
    COMMAND ${CMAKE_COMMAND} -E env SOURCE_DATE_EPOCH=0
            ${CMAKE_OBJCOPY} --strip-all --add-gnu-debuglink=Quorlet.debug Quorlet.exe
    WORKING_DIRECTORY $<TARGET_FILE_DIR:Quorlet>
    COMMENT "Moving the symbols of Quorlet.exe to Quorlet.debug"
    VERBATIM)
endif()

include(${PROJECT_SOURCE_DIR}/cmake/HelpFile.cmake)

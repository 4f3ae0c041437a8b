# Portable core: every rule of the program, no <windows.h>.
set(QUORLET_CORE_SOURCES
  src/settings/DateTime.cpp
  src/settings/DateCalc.cpp
  src/settings/XmlDoc.cpp
  src/settings/XmlParser.cpp
  src/settings/XmlWriter.cpp
  src/settings/UConfigXml.cpp
  src/settings/UBtnSettingXml.cpp
  src/settings/UBtnSettingXmlRunTimes.cpp
  src/settings/UBtnSettingXmlLaunch.cpp
  src/settings/UAppSettingXml.cpp
  src/settings/UAppSettingXmlLists.cpp
  src/shell/HelpTopics.cpp
  src/shell/ShellServices.cpp
  src/shell/ShellLinker.cpp
  src/app/AppPaths.cpp
  src/app/ClickSound.cpp
  src/app/ClickModes.cpp
  src/app/TopButtons.cpp
  src/app/ButtonGrid.cpp
  src/app/EdgeSnap.cpp
  src/platform/Platform.cpp
)
file(GLOB QUORLET_CORE_EXTRA CONFIGURE_DEPENDS ${PROJECT_SOURCE_DIR}/src/settings/Xml*.cpp)
list(TRANSFORM QUORLET_CORE_SOURCES PREPEND ${PROJECT_SOURCE_DIR}/)
list(APPEND QUORLET_CORE_SOURCES ${QUORLET_CORE_EXTRA})
list(REMOVE_DUPLICATES QUORLET_CORE_SOURCES)
if(WIN32)
  list(APPEND QUORLET_CORE_SOURCES ${PROJECT_SOURCE_DIR}/src/platform/FileIoWin32.cpp)
else()
  list(APPEND QUORLET_CORE_SOURCES ${PROJECT_SOURCE_DIR}/src/settings/FileIoPosix.cpp)
endif()

add_library(quorlet_core STATIC ${QUORLET_CORE_SOURCES})
target_include_directories(quorlet_core PUBLIC ${PROJECT_SOURCE_DIR}/src)

if(WIN32)
  include(cmake/Windows.cmake)
endif()

# The Windows cross build with the window: the static Qt for MinGW-w64 that
# scripts/windows-qt.sh builds ($TARVO_WINDOWS_QT, else its default cache folder), and Debian's
# host tools of the same Qt release (moc, rcc, uic).
include(${CMAKE_CURRENT_LIST_DIR}/mingw-w64-x86_64.cmake)

if(DEFINED ENV{TARVO_WINDOWS_QT} AND NOT "$ENV{TARVO_WINDOWS_QT}" STREQUAL "")
  set(TARVO_WINDOWS_QT "$ENV{TARVO_WINDOWS_QT}")
else()
  set(TARVO_WINDOWS_QT "$ENV{HOME}/.cache/tarvo/qt-6.4.2-mingw-w64")
endif()
if(NOT EXISTS "${TARVO_WINDOWS_QT}/.tarvo-complete")
  message(FATAL_ERROR "No Qt for Windows in ${TARVO_WINDOWS_QT}: run scripts/windows-qt.sh first")
endif()
list(APPEND CMAKE_FIND_ROOT_PATH "${TARVO_WINDOWS_QT}")
list(APPEND CMAKE_PREFIX_PATH "${TARVO_WINDOWS_QT}")
set(QT_HOST_PATH /usr)
set(QT_HOST_PATH_CMAKE_DIR /usr/lib/x86_64-linux-gnu/cmake)

# The Windows installer: `cmake --build <dir> --target package` has CPack's NSIS generator run
# makensis (Debian's nsis) on packaging/windows/NSIS.template.in, which makes
# TarvoConfig-<version>-win64.exe in the build folder. It carries tarvo.exe, the help and, when
# this build has the window, tarvoconfig.exe with its menu entry and the *.par association.

# The window looks for help/TarvoConfig.html beside its executable; tarvo.exe alone carries the
# help too, and that build has no data/ folder.
install(FILES ${PROJECT_SOURCE_DIR}/data/help/TarvoConfig.html DESTINATION help)

set(CPACK_GENERATOR NSIS)
set(CPACK_PACKAGE_NAME TarvoConfig)
set(CPACK_PACKAGE_VENDOR "TARVO Applications")
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_FILE_NAME TarvoConfig-${PROJECT_VERSION}-win64)
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
set(CPACK_MODULE_PATH ${PROJECT_SOURCE_DIR}/packaging/windows)
set(CPACK_NSIS_COMPRESSOR "/SOLID lzma")
set(CPACK_NSIS_MUI_ICON ${PROJECT_SOURCE_DIR}/data/tarvoconfig.ico)
set(CPACK_NSIS_MUI_UNIICON ${PROJECT_SOURCE_DIR}/data/tarvoconfig.ico)
# CPack hands every CPACK_ variable to the template: this one says whether the window is in.
if(TARGET tarvoconfig)
  set(CPACK_TARVO_WITH_WINDOW 1)
else()
  set(CPACK_TARVO_WITH_WINDOW 0)
endif()
include(CPack)

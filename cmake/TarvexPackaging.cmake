# Packages made by CPack (scripts/package): on Linux a Debian package with the window,
# the command line and the simulator; on Windows an installer (NSIS) and a zip, both
# with tarvex.exe, tarvex-cli.exe and the README.
if(WIN32)
  set(TARVEX_INSTALL_BIN .)
  set(TARVEX_INSTALL_DOC .)
else()
  set(TARVEX_INSTALL_BIN bin)
  set(TARVEX_INSTALL_DOC share/doc/tarvex)
endif()
install(FILES README.md DESTINATION ${TARVEX_INSTALL_DOC})

set(CPACK_PACKAGE_NAME tarvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR Tarvex)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Service tool for field controllers on a serial port")
set(CPACK_PACKAGE_CONTACT "Tarvex maintainers <tarvex@localhost>")
if(WIN32)
  set(CPACK_GENERATOR NSIS ZIP)
  set(CPACK_PACKAGE_FILE_NAME tarvex-${CPACK_PACKAGE_VERSION}-win64)
  set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/TarvexCPackNames.cmake)
  set(CPACK_PACKAGE_INSTALL_DIRECTORY Tarvex)
  # A 64-bit installer, like the executables: it runs where they run, wine64 included.
  # CPack writes these values into its own settings unescaped and reads them back, and
  # splits makensis's command line at blanks: hence the doubled escapes, here and in the
  # uninstall command below.
  set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS "-XTarget\\\\ amd64-unicode")
  set(CPACK_NSIS_INSTALL_ROOT "$PROGRAMFILES64")
  set(CPACK_NSIS_DISPLAY_NAME Tarvex)
  set(CPACK_NSIS_PACKAGE_NAME Tarvex)
  set(CPACK_NSIS_IGNORE_LICENSE_PAGE ON)
  set(CPACK_NSIS_MODIFY_PATH OFF)
  # The executables sit in the installation folder itself, not in bin.
  set(CPACK_NSIS_EXECUTABLES_DIRECTORY .)
  set(CPACK_PACKAGE_EXECUTABLES tarvex Tarvex)
  set(CPACK_NSIS_MUI_FINISHPAGE_RUN tarvex.exe)
  # The window keeps its settings beside itself when it may write there; the folder
  # goes with the rest.
  set(CPACK_NSIS_EXTRA_UNINSTALL_COMMANDS "Delete '$INSTDIR\\\\log.log'")
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  # The Qt and C++ libraries the executables link, as the system names their packages.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
endif()
include(CPack)

# What an install lays out for the Debian package beyond the executables.
if(TARVEX_BUILD_TESTS AND NOT WIN32)
  add_test(NAME installed_files COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/install_test.sh ${CMAKE_BINARY_DIR})
endif()

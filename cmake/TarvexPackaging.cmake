# Packages made by CPack (scripts/package): on Linux a Debian package with the window,
# the command line and the simulator; on Windows a zip with tarvex-cli.exe and the
# README.
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
  set(CPACK_GENERATOR ZIP)
  set(CPACK_PACKAGE_FILE_NAME tarvex-cli-${CPACK_PACKAGE_VERSION}-win64)
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

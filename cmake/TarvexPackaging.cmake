# Packages made by CPack (scripts/package): on Linux a Debian package with the window,
# the command line and the simulator; on Windows an installer (NSIS, our own template in
# packaging/) and a zip, both with tarvex.exe, tarvex-cli.exe, README.txt and LICENSE.txt.
if(WIN32)
  set(TARVEX_INSTALL_BIN .)
  set(TARVEX_INSTALL_DOC .)
else()
  set(TARVEX_INSTALL_BIN bin)
  set(TARVEX_INSTALL_DOC share/doc/tarvex)
endif()

# The copyright line of the licence, for the version details and the package files.
file(STRINGS ${PROJECT_SOURCE_DIR}/LICENSE TARVEX_COPYRIGHT REGEX "^Copyright \\(c\\) ")
string(REGEX REPLACE "^Copyright \\(c\\) " "" TARVEX_COPYRIGHT_NOTICE "${TARVEX_COPYRIGHT}")
string(REGEX REPLACE "^[0-9, -]+ " "" TARVEX_COPYRIGHT_HOLDER "${TARVEX_COPYRIGHT_NOTICE}")
set(TARVEX_MAINTAINER "Tarvex maintainers <maintainers@tarvex.invalid>" CACHE STRING
    "Maintainer of the Debian package")
set(TARVEX_HOMEPAGE "" CACHE STRING "The project's home page, for the packages (none when empty)")

include(${CMAKE_CURRENT_LIST_DIR}/TarvexManual.cmake)
include(${CMAKE_CURRENT_LIST_DIR}/TarvexWindowsResources.cmake)

set(CPACK_PACKAGE_NAME tarvex)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGE_VENDOR "${TARVEX_COPYRIGHT_HOLDER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "Service tool for field controllers on a serial port")
set(CPACK_PACKAGE_DESCRIPTION
    "Technicians connect a PC to a field controller over a serial (COM) port and
read its event log into a window and a text file, move its JSON configuration
and script, read its archive of measured values and run its service commands.
The package holds the window (tarvex), the same operations from the command
line for scripts and cron (tarvex-cli), and a simulator of the controller on a
pseudo-terminal (tarvex-sim).")
set(CPACK_PACKAGE_CONTACT "${TARVEX_MAINTAINER}")
set(CPACK_STRIP_FILES ON)
if(WIN32)
  # The licence page shows the licence and the notices of the runtime linked into both
  # executables; the zip and the installation folder hold the same file.
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
  file(READ ${PROJECT_SOURCE_DIR}/packaging/windows-runtime-notices.txt notices)
  file(WRITE ${PROJECT_BINARY_DIR}/LICENSE.txt "${licence}${notices}")
  install(FILES ${PROJECT_BINARY_DIR}/LICENSE.txt DESTINATION .)
  # Windows opens a .txt file from the Start menu; it has no program for .md.
  install(FILES README.md DESTINATION . RENAME README.txt)
  set(CPACK_RESOURCE_FILE_LICENSE ${PROJECT_BINARY_DIR}/LICENSE.txt)
  set(CPACK_GENERATOR NSIS ZIP)
  set(CPACK_PACKAGE_FILE_NAME tarvex-${CPACK_PACKAGE_VERSION}-win64)
  set(CPACK_PROJECT_CONFIG_FILE ${CMAKE_CURRENT_LIST_DIR}/TarvexCPackNames.cmake)
  # packaging/NSIS.template.in is the installer's script.
  list(PREPEND CMAKE_MODULE_PATH ${PROJECT_SOURCE_DIR}/packaging)
  # A 64-bit installer, like the executables: it runs where they run, wine64 included.
  # CPack splits makensis's command line at blanks, and writes this value into its own
  # settings unescaped and reads it back: hence the doubled escape of the blank that
  # belongs to -XTarget's argument.
  set(CPACK_NSIS_EXECUTABLE_PRE_ARGUMENTS "-INPUTCHARSET UTF8 -XTarget\\\\ amd64-unicode")
  set(CPACK_TARVEX_ICON ${PROJECT_SOURCE_DIR}/app/tarvex.ico)
  set(CPACK_TARVEX_COPYRIGHT "${TARVEX_COPYRIGHT}")
  if(TARVEX_HOMEPAGE)
    set(CPACK_NSIS_URL_INFO_ABOUT "${TARVEX_HOMEPAGE}")
  else()
    set(CPACK_NSIS_URL_INFO_ABOUT "$INSTDIR\\\\README.txt")
  endif()
else()
  install(FILES README.md DESTINATION ${TARVEX_INSTALL_DOC})
  # The licence in the form Debian reads: the permission text of LICENSE, indented.
  file(READ ${PROJECT_SOURCE_DIR}/LICENSE licence)
  string(FIND "${licence}" "Permission is hereby granted" first)
  string(SUBSTRING "${licence}" ${first} -1 licence)
  string(STRIP "${licence}" licence)
  string(REPLACE "\n\n" "\n.\n" licence "${licence}")
  string(REPLACE "\n" "\n " TARVEX_LICENCE_TEXT " ${licence}")
  configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/copyright.in ${PROJECT_BINARY_DIR}/debian/copyright @ONLY)
  install(FILES ${PROJECT_BINARY_DIR}/debian/copyright DESTINATION ${TARVEX_INSTALL_DOC})
  # The changelog of a native package, its entry for the version of project().
  string(TIMESTAMP TARVEX_CHANGELOG_DATE "%a, %d %b %Y %H:%M:%S +0000" UTC)
  configure_file(${PROJECT_SOURCE_DIR}/packaging/debian/changelog.in ${PROJECT_BINARY_DIR}/debian/changelog @ONLY)
  add_custom_command(OUTPUT debian/changelog.gz
                     COMMAND gzip -9nfk debian/changelog
                     DEPENDS ${PROJECT_BINARY_DIR}/debian/changelog)
  add_custom_target(tarvex-changelog ALL DEPENDS debian/changelog.gz)
  install(FILES ${PROJECT_BINARY_DIR}/debian/changelog.gz DESTINATION ${TARVEX_INSTALL_DOC})

  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  if(TARVEX_HOMEPAGE)
    set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "${TARVEX_HOMEPAGE}")
  endif()
  # The Qt and C++ libraries the executables link, as the system names their packages.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  # Directories and files as Debian's own packages have them (0755/0644).
  set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ
      GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
endif()
include(CPack)

# What an install lays out for the Debian package beyond the executables.
if(TARVEX_BUILD_TESTS AND NOT WIN32)
  add_test(NAME installed_files COMMAND bash ${CMAKE_CURRENT_LIST_DIR}/install_test.sh ${CMAKE_BINARY_DIR})
endif()

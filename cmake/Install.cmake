# Installs tavenko like a desktop program, in the FHS layout under the prefix:
#   bin/tavenko, bin/tavenko-sheet
#   share/applications/<id>.desktop, share/metainfo/<id>.metainfo.xml
#   share/icons/hicolor/{scalable,NxN}/apps/tavenko.{svg,png}
#   share/man/man1/tavenko.1, tavenko-sheet.1
# and builds the Debian package from the same rules (`make package`).

set(TAVENKO_DESKTOP_ID jp.tavenko.Tavenko)
set(TAVENKO_RELEASE_DATE 2026-12-08)  # of this version: the AppStream release list, the man pages
set(TAVENKO_ICON_SIZES 16 24 32 48 64 128 256)

target_compile_definitions(tavenko_app PRIVATE TAVENKO_DESKTOP_ID="${TAVENKO_DESKTOP_ID}")

set(desktop_entry ${CMAKE_CURRENT_SOURCE_DIR}/data/${TAVENKO_DESKTOP_ID}.desktop)
set(metainfo ${CMAKE_CURRENT_BINARY_DIR}/data/${TAVENKO_DESKTOP_ID}.metainfo.xml)
configure_file(data/${TAVENKO_DESKTOP_ID}.metainfo.xml.in ${metainfo} @ONLY)
set(man_pages)
foreach(page tavenko.1 tavenko-sheet.1)
  configure_file(docs/man/${page}.in ${CMAKE_CURRENT_BINARY_DIR}/man/${page} @ONLY)
  list(APPEND man_pages ${CMAKE_CURRENT_BINARY_DIR}/man/${page})
endforeach()

# The guard runs before any file is copied; it learns the installed files
# from the rules below, written to it once they are all known.
install(CODE "include(\"${CMAKE_CURRENT_BINARY_DIR}/InstallGuard.cmake\")")
set(TAVENKO_INSTALLED_FILES)

# Notes for the guard that the files named go into `destination` (relative to the prefix).
function(tavenko_note_installed destination)
  foreach(file ${ARGN})
    get_filename_component(name ${file} NAME)
    list(APPEND TAVENKO_INSTALLED_FILES ${destination}/${name})
  endforeach()
  set(TAVENKO_INSTALLED_FILES ${TAVENKO_INSTALLED_FILES} PARENT_SCOPE)
endfunction()

install(TARGETS tavenko tavenko-sheet RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
tavenko_note_installed(${CMAKE_INSTALL_BINDIR} tavenko tavenko-sheet)

# Installs the files into `destination` and notes them for the guard.
macro(tavenko_install_files destination)
  install(FILES ${ARGN} DESTINATION ${destination})
  tavenko_note_installed(${destination} ${ARGN})
endmacro()

tavenko_install_files(${CMAKE_INSTALL_DATADIR}/applications ${desktop_entry})
tavenko_install_files(${CMAKE_INSTALL_DATADIR}/metainfo ${metainfo})
tavenko_install_files(${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps data/icons/tavenko.svg)
foreach(size ${TAVENKO_ICON_SIZES})
  tavenko_install_files(${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps
                        data/icons/hicolor/${size}x${size}/apps/tavenko.png)
endforeach()
tavenko_install_files(${CMAKE_INSTALL_MANDIR}/man1 ${man_pages})

configure_file(cmake/InstallGuard.cmake.in InstallGuard.cmake @ONLY)

# ---- Checks run by `make test` -------------------------------------------
find_program(DESKTOP_FILE_VALIDATE desktop-file-validate REQUIRED)
find_program(APPSTREAMCLI appstreamcli REQUIRED)
find_program(GROFF groff REQUIRED)
add_test(NAME desktop_entry_validates COMMAND ${DESKTOP_FILE_VALIDATE} ${desktop_entry})
add_test(NAME metainfo_validates COMMAND ${APPSTREAMCLI} validate --no-net --strict ${metainfo})
foreach(page ${man_pages})
  get_filename_component(name ${page} NAME)
  # groff warns on stderr and still succeeds: any output fails the test.
  add_test(NAME man_page_${name}_formats
           COMMAND sh -c "! LC_ALL=C.UTF-8 '${GROFF}' -k -man -ww -z -Tutf8 '${page}' 2>&1 | grep .")
endforeach()
add_test(NAME installed_tree
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/install/installed_tree_test ${CMAKE_CURRENT_BINARY_DIR})

# ---- Debian package ------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavenko)
set(CPACK_PACKAGE_VENDOR "Tavenko developers")
set(CPACK_PACKAGE_CONTACT "Tavenko developers <tavenko@example.jp>")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "desktop calculator of Japanese taxes for Heisei 29 (2017)")
set(CPACK_PACKAGE_DESCRIPTION "\
Computes Japanese national, local and business taxes for the tax year Heisei
29 (2017), exact to the yen, for income, transfer, company, gift and
inheritance cases, with a running log and a pie chart; windows for
comprehensive taxation with simplified consumption tax, the penalty and
delinquency taxes of an amended return and the tax saved by incorporating.
tavenko-sheet prints one calculation as JSON.")
set(CPACK_PACKAGE_DIRECTORY ${CMAKE_CURRENT_BINARY_DIR})
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # tavenko_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, so not found by dpkg-shlibdeps: the Japanese gothic the windows
# are drawn in, Qt's X11 and Wayland platform plugins, and Qt's Japanese texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-qpa-plugins, qt6-translations-l10n")
include(CPack)

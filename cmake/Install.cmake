# Installs tavenko like a desktop program, in the FHS layout under the prefix:
#   bin/tavenko, bin/tavenko-sheet
#   share/applications/<id>.desktop, share/metainfo/<id>.metainfo.xml
#   share/icons/hicolor/{scalable,NxN}/apps/tavenko.{svg,png}
#   share/man/man1/tavenko.1.gz, tavenko-sheet.1.gz
#   share/doc/tavenko/copyright, changelog.gz
#   share/tavenko/install-location: the programs' folder, so that a program
#     knows it runs from where it was installed (and keeps its settings in
#     the user's folder, never beside itself)
# and builds the Debian package from the same rules (`make package`).

set(TAVENKO_DESKTOP_ID jp.tavenko.Tavenko)
set(TAVENKO_RELEASE_DATE 2026-12-08)  # of this version: the AppStream release list, the man pages
set(TAVENKO_ICON_SIZES 16 24 32 48 64 128 256)
set(TAVENKO_MAINTAINER "タベンコ developers" CACHE STRING
    "Who maintains the Debian package, as \"Name <mail address>\": its Maintainer field and changelog signature")

target_compile_definitions(tavenko_app PRIVATE TAVENKO_DESKTOP_ID="${TAVENKO_DESKTOP_ID}")

set(desktop_entry ${CMAKE_CURRENT_SOURCE_DIR}/data/${TAVENKO_DESKTOP_ID}.desktop)
set(metainfo ${CMAKE_CURRENT_BINARY_DIR}/data/${TAVENKO_DESKTOP_ID}.metainfo.xml)
configure_file(data/${TAVENKO_DESKTOP_ID}.metainfo.xml.in ${metainfo} @ONLY)

# Man pages and the changelog are installed compressed, as Debian keeps them
# (gzip -n: no name or time stamp, so the same sources give the same bytes).
set(man_pages)
set(compressed_docs)
function(tavenko_compress file)
  add_custom_command(OUTPUT ${file}.gz COMMAND gzip -9 -n -c ${file} > ${file}.gz DEPENDS ${file} VERBATIM)
endfunction()
foreach(page tavenko.1 tavenko-sheet.1)
  configure_file(docs/man/${page}.in ${CMAKE_CURRENT_BINARY_DIR}/man/${page} @ONLY)
  list(APPEND man_pages ${CMAKE_CURRENT_BINARY_DIR}/man/${page})
  tavenko_compress(${CMAKE_CURRENT_BINARY_DIR}/man/${page})
endforeach()
list(TRANSFORM man_pages APPEND .gz OUTPUT_VARIABLE compressed_man_pages)

# The copyright file in Debian's machine-readable format, its notice and
# licence text taken from LICENSE.
file(READ LICENSE licence)
string(REGEX MATCH "Copyright \\(c\\) ([^\n]+)\n\n" notice "${licence}")
set(TAVENKO_COPYRIGHT "${CMAKE_MATCH_1}")
string(FIND "${licence}" "${notice}" start)
string(LENGTH "${notice}" length)
math(EXPR start "${start} + ${length}")
string(SUBSTRING "${licence}" ${start} -1 licence)
string(STRIP "${licence}" licence)
string(REPLACE "\n\n" "\n.\n" licence "${licence}")  # a paragraph break is " ."
string(REPLACE "\n" "\n " licence "${licence}")
set(TAVENKO_LICENCE_TEXT " ${licence}")
configure_file(data/copyright.in ${CMAKE_CURRENT_BINARY_DIR}/doc/copyright @ONLY)

# The changelog of this version, dated by its release, signed by the maintainer.
execute_process(COMMAND date -u -R -d "${TAVENKO_RELEASE_DATE}"
                OUTPUT_VARIABLE TAVENKO_RELEASE_TIME OUTPUT_STRIP_TRAILING_WHITESPACE
                COMMAND_ERROR_IS_FATAL ANY)
configure_file(data/changelog.in ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog @ONLY)
tavenko_compress(${CMAKE_CURRENT_BINARY_DIR}/doc/changelog)
add_custom_target(tavenko_compressed_docs ALL
                  DEPENDS ${compressed_man_pages} ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.gz)

# Where the programs look for the install's record, relative to their folder.
file(RELATIVE_PATH data_from_programs ${CMAKE_INSTALL_FULL_BINDIR} ${CMAKE_INSTALL_FULL_DATADIR})
target_compile_definitions(tavenko_platform PRIVATE
  TAVENKO_INSTALL_RECORD_FROM_PROGRAMS="${data_from_programs}/tavenko/install-location")

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
tavenko_install_files(${CMAKE_INSTALL_MANDIR}/man1 ${compressed_man_pages})
tavenko_install_files(${CMAKE_INSTALL_DOCDIR}
                      ${CMAKE_CURRENT_BINARY_DIR}/doc/copyright ${CMAKE_CURRENT_BINARY_DIR}/doc/changelog.gz)

# The install's record names the programs' folder under the prefix the
# install is made for (given at install time: --prefix, or the package's
# /usr). It is written beside the build first, once per destination, so that
# two installs at once never share the file, and then installed as any file is.
string(CONFIGURE [[
  set(tavenko_programs "${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_BINDIR@")
  string(MD5 destination "$ENV{DESTDIR}${CMAKE_INSTALL_PREFIX}")
  set(record "@CMAKE_CURRENT_BINARY_DIR@/install-record/${destination}/install-location")
  file(WRITE "${record}" "${tavenko_programs}\n")
  file(INSTALL DESTINATION "${CMAKE_INSTALL_PREFIX}/@CMAKE_INSTALL_DATADIR@/tavenko" TYPE FILE FILES "${record}")
]] record_code @ONLY)
install(CODE "${record_code}")
list(APPEND TAVENKO_INSTALLED_FILES ${CMAKE_INSTALL_DATADIR}/tavenko/install-location)

configure_file(cmake/InstallGuard.cmake.in InstallGuard.cmake @ONLY)

# ---- Debian package ------------------------------------------------------
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME tavenko)
set(CPACK_PACKAGE_VENDOR "タベンコ developers")
set(CPACK_PACKAGE_CONTACT "${TAVENKO_MAINTAINER}")
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${TAVENKO_MAINTAINER}")
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
# The package's install runs with its own prefix, /usr, and the staging
# folder as DESTDIR, so that the install's record names /usr/bin.
set(CPACK_SET_DESTDIR ON)
set(CPACK_INSTALL_PREFIX /usr)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)  # tavenko_<version>_<arch>.deb
set(CPACK_DEBIAN_PACKAGE_SECTION utils)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# Not linked, so not found by dpkg-shlibdeps: the Japanese gothic the windows
# are drawn in, Qt's X11 and Wayland platform plugins, and Qt's Japanese texts.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-qpa-plugins, qt6-translations-l10n")
include(CPack)

# ---- Checks run by `make test` -------------------------------------------
# The files are the same in every build: they are checked once, in the
# build the package is made from.
if(TAVENKO_SANITIZE)
  return()
endif()
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
# Debian's checker on the package: an error or a warning fails. Debian wants
# a mail address beside the maintainer's name; while TAVENKO_MAINTAINER gives
# none, the two tags that say so (on the Maintainer field and the changelog's
# signature) are let through.
find_program(LINTIAN lintian REQUIRED)
set(lintian_let_through)
if(NOT TAVENKO_MAINTAINER MATCHES "<[^<>@ ]+@[^<>@ ]+>$")
  set(lintian_let_through malformed-contact,syntax-error-in-debian-changelog)
endif()
add_test(NAME package_passes_lintian
         COMMAND ${CMAKE_CURRENT_SOURCE_DIR}/tests/install/package_lintian_test ${CMAKE_CURRENT_BINARY_DIR}
                 ${lintian_let_through})

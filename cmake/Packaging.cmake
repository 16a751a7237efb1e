# `make package`: a Debian package on Linux, a drag-to-Applications disk image on macOS, an installer on
# Windows, all through CPack from the install rules below.

set(BROLGA_RELEASE_DATE "2026-12-07") # of PROJECT_VERSION

# Who makes Brolga and where users find it: the package's control fields, the AppStream data and the
# copyright file. The defaults are placeholders under the reserved .invalid domain; a release names real ones.
set(BROLGA_HOMEPAGE "https://brolga.saltbush.invalid" CACHE STRING "Brolga's web page")
set(BROLGA_MAINTAINER "Saltbush <brolga@saltbush.invalid>" CACHE STRING "Maintainer of the Debian package")
set(BROLGA_BUGTRACKER "https://brolga.saltbush.invalid/issues" CACHE STRING "Where users report a fault")
set(BROLGA_HELP "https://brolga.saltbush.invalid/help" CACHE STRING "Brolga's help pages")
set(BROLGA_LICENSE "LicenseRef-proprietary" CACHE STRING "SPDX licence expression of Brolga itself")
set(BROLGA_SCREENSHOTS "" CACHE STRING "Where the README's docs/ pictures are published (default: HOMEPAGE/docs)")
if(NOT BROLGA_SCREENSHOTS)
  set(BROLGA_SCREENSHOTS "${BROLGA_HOMEPAGE}/docs")
endif()
option(BROLGA_RELEASE "A build to publish: placeholder addresses are refused" OFF)
if(BROLGA_RELEASE)
  foreach(var BROLGA_HOMEPAGE BROLGA_MAINTAINER BROLGA_BUGTRACKER BROLGA_HELP BROLGA_SCREENSHOTS)
    if(${var} MATCHES "\\.invalid([/:>]|$)")
      message(FATAL_ERROR "${var} is a placeholder (${${var}}); a release names the real address")
    endif()
  endforeach()
endif()

# Directories in the package are 0755 whatever the builder's umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS brolga BUNDLE DESTINATION . RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(UNIX AND NOT APPLE)
  # A stripped install (CPack, `cmake --install --strip`) drops the compiler's version note too, as dh_strip does.
  install(CODE "if(CMAKE_INSTALL_DO_STRIP)
    execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment
                    \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/brolga\" COMMAND_ERROR_IS_FATAL ANY)
  endif()")
  set(doc ${CMAKE_INSTALL_DATADIR}/doc/brolga)
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/package)
  # Named after the AppStream id; the icon keeps its name, which autostart entries already written use.
  install(FILES resources/brolga.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications
          RENAME ${BROLGA_APP_ID}.desktop)
  install(FILES resources/brolga.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  # Panels and menus that take no SVG get a PNG of each size, drawn from the SVG at build time.
  find_program(BROLGA_RSVG_CONVERT rsvg-convert)
  if(BROLGA_RSVG_CONVERT)
    set(pngs)
    foreach(size 16 22 24 32 48 64 128 256)
      set(png ${generated}/icons/${size}/brolga.png)
      add_custom_command(OUTPUT ${png}
                         COMMAND ${CMAKE_COMMAND} -E make_directory ${generated}/icons/${size}
                         COMMAND ${BROLGA_RSVG_CONVERT} -w ${size} -h ${size} -o ${png}
                                 ${CMAKE_CURRENT_SOURCE_DIR}/resources/brolga.svg
                         DEPENDS resources/brolga.svg VERBATIM)
      list(APPEND pngs ${png})
      install(FILES ${png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
    add_custom_target(brolga_icons ALL DEPENDS ${pngs})
  else()
    message(WARNING "rsvg-convert (librsvg2-bin) not found: the PNG icons are left out of the install")
  endif()
  configure_file(resources/brolga.metainfo.xml.in ${generated}/${BROLGA_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${generated}/${BROLGA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  configure_file(resources/debian/copyright.in ${generated}/copyright @ONLY)
  install(FILES ${generated}/copyright resources/fonts/OFL.txt DESTINATION ${doc})
  # What an office runs on its PostgreSQL server to keep its client book there (brolga-report --init-server).
  install(FILES resources/office-book.sql DESTINATION ${CMAKE_INSTALL_DATADIR}/brolga)
  install(FILES resources/debian/lintian-overrides DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME brolga)

  # Debian keeps its changelog and manual pages compressed, without a time stamp in the gzip header.
  find_program(BROLGA_GZIP gzip)
  find_program(BROLGA_DATE date)
  if(BROLGA_GZIP AND BROLGA_DATE)
    execute_process(COMMAND ${BROLGA_DATE} -u -R -d ${BROLGA_RELEASE_DATE}
                    OUTPUT_VARIABLE BROLGA_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE)
    configure_file(resources/debian/changelog.in ${generated}/changelog @ONLY)
    execute_process(COMMAND ${BROLGA_GZIP} -9 -n -c ${generated}/changelog OUTPUT_FILE ${generated}/changelog.gz)
    configure_file(resources/brolga.1.in ${generated}/brolga.1 @ONLY)
    execute_process(COMMAND ${BROLGA_GZIP} -9 -n -c ${generated}/brolga.1 OUTPUT_FILE ${generated}/brolga.1.gz)
    install(FILES ${generated}/changelog.gz DESTINATION ${doc})
    install(FILES ${generated}/brolga.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
  endif()
endif()

# macOS and Windows: Qt's libraries and plugins go into the bundle or beside the program.
if(APPLE OR WIN32)
  qt_generate_deploy_app_script(TARGET brolga FILENAME_VARIABLE brolga_deploy NO_UNSUPPORTED_PLATFORM_ERROR)
  install(SCRIPT ${brolga_deploy})
  install(FILES resources/fonts/OFL.txt DESTINATION . RENAME "Font licences.txt")
endif()

set(CPACK_PACKAGE_NAME brolga)
set(CPACK_PACKAGE_VENDOR "Saltbush")
set(CPACK_PACKAGE_CONTACT "${BROLGA_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "mortgage calculator for Australian brokers")
set(CPACK_PACKAGE_HOMEPAGE_URL "${BROLGA_HOMEPAGE}")
set(CPACK_PACKAGE_INSTALL_DIRECTORY "Brolga")
set(CPACK_PACKAGE_EXECUTABLES brolga Brolga)
set(CPACK_STRIP_FILES ON)
set(CPACK_SOURCE_IGNORE_FILES "/build/;/\\\\.git/")

if(APPLE)
  set(CPACK_GENERATOR DragNDrop)
  set(CPACK_DMG_VOLUME_NAME Brolga)
elseif(WIN32)
  set(CPACK_GENERATOR NSIS)
  set(CPACK_NSIS_DISPLAY_NAME Brolga)
  set(CPACK_NSIS_PACKAGE_NAME Brolga)
  set(CPACK_NSIS_INSTALLED_ICON_NAME bin/brolga.exe)
else()
  set(CPACK_GENERATOR DEB)
  set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
  set(CPACK_DEBIAN_PACKAGE_SECTION utils)
  set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
  # CPack puts the summary above this as the synopsis.
  set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "Brolga waits in the system tray: one click opens a small floating window
that stays above other windows during a client call. It prices a loan
(repayments, interest-only, offset, extra repayments, a rate comparison and
a yearly projection), estimates borrowing capacity, turns a payslip into
assessable income, and works out transfer duty, lenders mortgage insurance
and the cash needed at settlement for every state and territory. Figures
copy as text or export as a branded PNG card. Nothing leaves the computer.")
  # The libraries come from the binary through dpkg-shlibdeps; the SQLite driver of the client book is loaded
  # at run time, so no library points at it. (The X11 platform plugin comes with libqt6gui6.) Symbola draws the
  # emoji of a name or note in the PDF report, where the brand faces have none.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "libqt6sql6-sqlite, fonts-symbola")
  # The office's client book on a PostgreSQL server needs Qt's driver for it, and libsecret, which QtKeychain
  # loads at run time to reach the Secret Service, for its password; a broker without one needs neither.
  set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "libqt6sql6-psql, libsecret-1-0")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
  set(CPACK_DEBIAN_COMPRESSION_TYPE xz)
endif()

include(CPack)

# `make package`: a Debian package on Linux, a drag-to-Applications disk image on macOS, an installer on
# Windows, all through CPack from the install rules below.

set(BROLGA_APP_ID "au.com.saltbush.brolga") # the AppStream id; stays the same for every release
set(BROLGA_RELEASE_DATE "2026-12-07")       # of PROJECT_VERSION
set(BROLGA_MAINTAINER "Saltbush <brolga@saltbush.invalid>" CACHE STRING "Maintainer of the Debian package")

# Directories in the package are 0755 whatever the builder's umask.
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)

install(TARGETS brolga BUNDLE DESTINATION . RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})

if(UNIX AND NOT APPLE)
  set(doc ${CMAKE_INSTALL_DATADIR}/doc/brolga)
  set(generated ${CMAKE_CURRENT_BINARY_DIR}/package)
  install(FILES resources/brolga.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES resources/brolga.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  configure_file(resources/brolga.metainfo.xml.in ${generated}/${BROLGA_APP_ID}.metainfo.xml @ONLY)
  install(FILES ${generated}/${BROLGA_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  configure_file(resources/debian/copyright.in ${generated}/copyright @ONLY)
  install(FILES ${generated}/copyright resources/fonts/OFL.txt DESTINATION ${doc})

  # Debian keeps its changelog and manual pages compressed, without a time stamp in the gzip header.
  find_program(BROLGA_GZIP gzip)
  find_program(BROLGA_DATE date)
  if(BROLGA_GZIP AND BROLGA_DATE)
    execute_process(COMMAND ${BROLGA_DATE} -u -R -d ${BROLGA_RELEASE_DATE}
                    OUTPUT_VARIABLE BROLGA_RELEASE_DATE_RFC2822 OUTPUT_STRIP_TRAILING_WHITESPACE)
    configure_file(resources/debian/changelog.in ${generated}/changelog @ONLY)
    execute_process(COMMAND ${BROLGA_GZIP} -9 -n -c ${generated}/changelog OUTPUT_FILE ${generated}/changelog.gz)
    execute_process(COMMAND ${BROLGA_GZIP} -9 -n -c ${CMAKE_CURRENT_SOURCE_DIR}/resources/brolga.1
                    OUTPUT_FILE ${generated}/brolga.1.gz)
    set_property(DIRECTORY APPEND PROPERTY CMAKE_CONFIGURE_DEPENDS
                 resources/brolga.1 resources/debian/changelog.in)
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
set(CPACK_PACKAGE_HOMEPAGE_URL "${BROLGA_SERVICE_URL}/app")
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
  # The libraries come from the binary through dpkg-shlibdeps; Qt's platform plugins and the SQLite driver
  # of the client book are loaded at run time, so no library points at them.
  set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
  set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, libqt6sql6-sqlite")
  set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
endif()

include(CPack)

# SPDX-License-Identifier: GPL-3.0-or-later
# What `cmake --install` puts where a Linux desktop looks, and the Debian package made of it
# (`cpack -G DEB`).
set(_linux ${PROJECT_SOURCE_DIR}/res/linux)

# km905-sim is a tool of the developers and testers; it runs from the build tree.
set(_programs km905 km905-cli)
install(TARGETS ${_programs} RUNTIME DESTINATION ${CMAKE_INSTALL_BINDIR})
if(UNIX AND NOT APPLE)
  # A stripped install (cpack, cmake --install --strip) also drops the compiler's notes, as
  # Debian's own packages do (lintian: binary-has-unneeded-section).
  foreach(program IN LISTS _programs)
    install(CODE "if(CMAKE_INSTALL_DO_STRIP)
      execute_process(COMMAND \"${CMAKE_STRIP}\" --remove-section=.comment --remove-section=.note
        \"\$ENV{DESTDIR}\${CMAKE_INSTALL_PREFIX}/${CMAKE_INSTALL_BINDIR}/${program}\"
        COMMAND_ERROR_IS_FATAL ANY)
    endif()")
  endforeach()
endif()
# The licence and the history, where Debian keeps a package's documentation.
install(FILES ${_linux}/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
# The help page: the program looks for it in ../share/km905 beside its bin folder.
install(FILES ${PROJECT_SOURCE_DIR}/res/help.html DESTINATION ${CMAKE_INSTALL_DATADIR}/km905)

if(UNIX AND NOT APPLE)
  install(FILES ${_linux}/${KM905_APP_ID}.desktop
    DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
  install(FILES ${_linux}/${KM905_APP_ID}.metainfo.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
  install(FILES ${_linux}/${KM905_APP_ID}.svg
    DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps)
  # The graph and list file types; shared-mime-info's trigger rebuilds the database.
  install(FILES ${_linux}/${KM905_APP_ID}.mime.xml
    DESTINATION ${CMAKE_INSTALL_DATADIR}/mime/packages RENAME ${KM905_APP_ID}.xml)
  # Under the prefix, so an install into /usr/local or a home needs no root; udev reads both
  # /usr/lib/udev/rules.d and /lib/udev/rules.d.
  set(KM905_UDEV_RULES_DIR "lib/udev/rules.d" CACHE STRING
    "Where the udev rule of the meter's port goes, relative to the prefix or absolute")
  install(FILES ${_linux}/70-km905.rules DESTINATION ${KM905_UDEV_RULES_DIR})
  # The lintian tags that do not fit this package, with their reasons.
  install(FILES ${_linux}/debian/lintian-overrides
    DESTINATION ${CMAKE_INSTALL_DATADIR}/lintian/overrides RENAME km905)
  # The meter logged for days as a user service (km905-log@SECONDS).
  install(FILES ${_linux}/km905-log@.service DESTINATION lib/systemd/user)

  # The bitmap icons, drawn from the one SVG.
  find_program(KM905_RSVG_CONVERT rsvg-convert)
  if(KM905_RSVG_CONVERT)
    set(_pngs)
    foreach(size 16 32 48 64 128 256)
      set(_dir ${CMAKE_BINARY_DIR}/icons/${size}x${size})
      set(_png ${_dir}/${KM905_APP_ID}.png)
      add_custom_command(OUTPUT ${_png}
        COMMAND ${CMAKE_COMMAND} -E make_directory ${_dir}
        COMMAND ${KM905_RSVG_CONVERT} -w ${size} -h ${size} -o ${_png} ${_linux}/${KM905_APP_ID}.svg
        DEPENDS ${_linux}/${KM905_APP_ID}.svg
        COMMENT "Icon ${size}x${size}" VERBATIM)
      list(APPEND _pngs ${_png})
      install(FILES ${_png} DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps)
    endforeach()
    add_custom_target(km905_icons ALL DEPENDS ${_pngs})
  else()
    message(WARNING "rsvg-convert (librsvg2-bin) not found: no bitmap icons are built or installed")
  endif()

  # Manual pages from each program's --help and an include file of what the help leaves out
  # (SEE ALSO), compressed as Debian wants them.
  find_program(KM905_HELP2MAN help2man)
  find_program(KM905_GZIP gzip)
  if(KM905_HELP2MAN AND KM905_GZIP)
    set(_km905_name "desktop companion of the KM905 light meter")
    set(_km905-cli_name "the KM905 light meter and its files from the command line")
    set(_pages)
    foreach(program IN LISTS _programs)
      set(_man ${CMAKE_BINARY_DIR}/man/${program}.1)
      set(_include ${_linux}/${program}.h2m)
      add_custom_command(OUTPUT ${_man} ${_man}.gz
        COMMAND ${CMAKE_COMMAND} -E make_directory ${CMAKE_BINARY_DIR}/man
        COMMAND ${CMAKE_COMMAND} -DHELP2MAN=${KM905_HELP2MAN} -DGZIP=${KM905_GZIP}
                -DPROGRAM=$<TARGET_FILE:${program}> "-DNAME=${_${program}_name}"
                -DVERSION=${PROJECT_VERSION} -DINCLUDE=${_include} -DOUTPUT=${_man}
                -P ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
        DEPENDS ${program} ${_include} ${PROJECT_SOURCE_DIR}/cmake/ManPage.cmake
        COMMENT "Manual page of ${program}" VERBATIM)
      list(APPEND _pages ${_man}.gz)
      install(FILES ${_man}.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
    endforeach()
    add_custom_target(km905_man ALL DEPENDS ${_pages})
    set(_changelog ${CMAKE_BINARY_DIR}/changelog.Debian.gz)
    add_custom_command(OUTPUT ${_changelog}
      COMMAND ${KM905_GZIP} -9nc ${_linux}/debian/changelog > ${_changelog}
      DEPENDS ${_linux}/debian/changelog
      COMMENT "changelog.Debian.gz")
    add_custom_target(km905_changelog ALL DEPENDS ${_changelog})
    install(FILES ${_changelog} DESTINATION ${CMAKE_INSTALL_DOCDIR})
  else()
    message(WARNING "help2man not found: no manual pages are built or installed")
  endif()
endif()

# The Debian package. Its dependencies come from the programs' shared libraries
# (dpkg-shlibdeps), plus what Qt loads at run time and the fonts the windows are drawn with.
set(CPACK_PACKAGE_NAME km905)
set(CPACK_PACKAGE_VENDOR "The KM905 developers")
set(CPACK_PACKAGE_CONTACT "The KM905 developers <km905@users.noreply.github.com>")
set(CPACK_PACKAGE_HOMEPAGE_URL https://github.com/km905/km905)
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "companion program of the KM905 datalogging light meter")
set(CPACK_PACKAGE_DESCRIPTION
  "The desktop companion of the KM905 handheld light meter (lux and foot-candles,
four ranges), which talks to the meter over its CP210x USB-serial cable. It
mirrors the meter's display live, records a real-time graph, downloads the
meter's datalogger records and stored readings, saves them with text exports
and prints reports. Also km905-cli, for saved files and the meter from the
command line.")
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation")
set(CPACK_DEBIAN_PACKAGE_CONTROL_EXTRA ${_linux}/debian/postinst)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)
include(CPack)

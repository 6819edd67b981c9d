# Desktop integration, documentation and the Debian package (CPack DEB).
# `./scripts/package.sh` builds tavek_<version>_amd64.deb with TAVEK_PACKAGE=ON;
# any other install gets the same layout under its own prefix.

set(TAVEK_PACKAGE_NAME tavek)
# The desktop entry, the icon and the AppStream component share this id.
set(TAVEK_APP_ID jp.example.tavek.Tavek)
set(TAVEK_HOMEPAGE "https://tavek.example.jp/")
set(TAVEK_MAINTAINER "Tavek developers <tavek@tavek.example.jp>")
set(TAVEK_RELEASE_DATE 2026-12-08)
set(TAVEK_INSTALL_DATADIR ${CMAKE_INSTALL_DATADIR}/${TAVEK_PACKAGE_NAME})
set(TAVEK_INSTALL_DOCDIR ${CMAKE_INSTALL_DATADIR}/doc/${TAVEK_PACKAGE_NAME})

# Installed directories are 0755 whatever the builder's umask (Debian policy).
set(CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE
                                                WORLD_READ WORLD_EXECUTE)

set(tavek_pkg_src ${PROJECT_SOURCE_DIR}/packaging)
set(tavek_pkg_out ${PROJECT_BINARY_DIR}/packaging)

execute_process(COMMAND date -u -R -d ${TAVEK_RELEASE_DATE} OUTPUT_VARIABLE TAVEK_RELEASE_DATE_RFC
                OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(${tavek_pkg_src}/tavek.desktop.in ${tavek_pkg_out}/${TAVEK_APP_ID}.desktop @ONLY)
configure_file(${tavek_pkg_src}/tavek.metainfo.xml.in ${tavek_pkg_out}/${TAVEK_APP_ID}.metainfo.xml @ONLY)
configure_file(${tavek_pkg_src}/changelog.in ${tavek_pkg_out}/changelog @ONLY)
include(${CMAKE_CURRENT_LIST_DIR}/TavekManPage.cmake)
tavek_cli_man_page(${tavek_pkg_src}/tavek-cli.1.in ${PROJECT_SOURCE_DIR}/src/cli/CommandList.h
                   ${tavek_pkg_out}/tavek-cli.1)
configure_file(${tavek_pkg_src}/TavekJ.1.in ${tavek_pkg_out}/TavekJ.1 @ONLY)

# Man pages and the changelog are installed compressed, without a time stamp,
# so that the package is reproducible.
set(tavek_gz_files)
foreach(f changelog tavek-cli.1 TavekJ.1)
  add_custom_command(
    OUTPUT ${tavek_pkg_out}/${f}.gz
    COMMAND gzip -9nfk ${tavek_pkg_out}/${f}
    DEPENDS ${tavek_pkg_out}/${f}
    COMMENT "Compressing ${f}")
  list(APPEND tavek_gz_files ${tavek_pkg_out}/${f}.gz)
endforeach()
add_custom_target(tavek_packaging_files ALL DEPENDS ${tavek_gz_files})

install(FILES ${tavek_pkg_out}/${TAVEK_APP_ID}.desktop DESTINATION ${CMAKE_INSTALL_DATADIR}/applications)
install(FILES ${tavek_pkg_out}/${TAVEK_APP_ID}.metainfo.xml DESTINATION ${CMAKE_INSTALL_DATADIR}/metainfo)
install(FILES ${tavek_pkg_src}/icons/tavek.svg DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/scalable/apps
        RENAME ${TAVEK_APP_ID}.svg)
foreach(size 16 24 32 48 64 128 256)
  install(FILES ${tavek_pkg_src}/icons/tavek-${size}.png
          DESTINATION ${CMAKE_INSTALL_DATADIR}/icons/hicolor/${size}x${size}/apps RENAME ${TAVEK_APP_ID}.png)
endforeach()
install(FILES ${tavek_pkg_out}/tavek-cli.1.gz ${tavek_pkg_out}/TavekJ.1.gz DESTINATION ${CMAKE_INSTALL_MANDIR}/man1)
install(FILES ${tavek_pkg_src}/tavek-cli.bash-completion DESTINATION ${CMAKE_INSTALL_DATADIR}/bash-completion/completions
        RENAME tavek-cli)
install(FILES ${tavek_pkg_src}/copyright ${tavek_pkg_out}/changelog.gz DESTINATION ${TAVEK_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME ${TAVEK_PACKAGE_NAME})
set(CPACK_PACKAGE_VENDOR "Tavek developers")
set(CPACK_PACKAGE_CONTACT ${TAVEK_MAINTAINER})
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "odds simulator for JRA races")
set(CPACK_PACKAGE_DESCRIPTION
    "Tavek shows, for one race of the Japan Racing Association, how the win,
bracket-quinella and quinella odds would move if more money were bet, and
how much money brought a runner's odds down to where they are now.
It ships an emulated JV-Link service that generates JRA-like race days, so it
runs with nothing else set up. The window TavekJ is in Japanese; tavek-cli
prints the same figures in a terminal and fetches data headless.")
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS ${CMAKE_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS})
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE ${TAVEK_HOMEPAGE})
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# What dpkg-shlibdeps cannot see: plug-ins and data loaded at run time. Qt
# Charts it finds itself, since the window links it.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, qt6-translations-l10n, libqt6sql6-sqlite")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils")
include(CPack)

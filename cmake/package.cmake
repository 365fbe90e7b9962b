# The Debian package, built by scripts/package (cpack -G DEB): installed
# below /usr, its library dependencies found by dpkg-shlibdeps, with the
# copyright file and the changelog Debian asks for.
set(HEADLY_MAINTAINER "The HEADLY developers <headly@headly.github.io>"
    CACHE STRING "The package's maintainer, as \"Name <address>\"")

execute_process(COMMAND date -u -R -d ${HEADLY_RELEASE_DATE}
                OUTPUT_VARIABLE HEADLY_RELEASE_DATE_RFC OUTPUT_STRIP_TRAILING_WHITESPACE COMMAND_ERROR_IS_FATAL ANY)
configure_file(${HEADLY_DATA}/debian/changelog.in ${HEADLY_GENERATED_DATA}/debian/changelog @ONLY)
headly_gzip(${HEADLY_GENERATED_DATA}/debian/changelog ${HEADLY_GENERATED_DATA}/debian/changelog.gz)
install(FILES ${HEADLY_DATA}/debian/copyright ${HEADLY_GENERATED_DATA}/debian/changelog.gz
        DESTINATION ${CMAKE_INSTALL_DOCDIR})

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME headly)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_INSTALL_DEFAULT_DIRECTORY_PERMISSIONS
    OWNER_READ OWNER_WRITE OWNER_EXECUTE GROUP_READ GROUP_EXECUTE WORLD_READ WORLD_EXECUTE)
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER ${HEADLY_MAINTAINER})
set(CPACK_DEBIAN_PACKAGE_SECTION text)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE https://headly.github.io/)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The faces the forms are drawn in (made with the metrics of the forms' own
# faces), which the printed layout embeds, with the libraries that draw and
# embed it, and Qt's own dialog texts in Japanese (without them the file dialogs
# would be in English among Japanese windows); Noto as a further Japanese face.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "fonts-ipafont-gothic, libcairo2, libfontconfig1, libfreetype6, qt6-translations-l10n")
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-noto-cjk")
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "data heading tool for CSV tables (データ見出しツール)
HEADLY reads a Shift-JIS CSV file whose first line names the items. The
items are sorted into heading items and other items and the layout of each
item is set in a short series of dialogs; HEADLY then writes a plain-text
layout in which a heading line appears only when its value changes and the
other items stand side by side below it, wrapped to the chosen widths.

It can also write the classified records back as a CSV file, convert all
text to full-width characters and create a folder tree named after the
heading values. The headless driver headly-batch runs the same program from
a script.")
include(CPack)

# The Debian package: scripts/package, or cpack -G DEB in a build folder.
# The libraries it needs come from dpkg-shlibdeps; what the program only loads or finds
# at run time is named here.
set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME carnelis)
set(CPACK_PACKAGE_VERSION ${PROJECT_VERSION})
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CONTACT "CARNELIS <carnelis@example.org>")
set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_RELEASE 1)
set(CPACK_DEBIAN_PACKAGE_SECTION misc)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The windows need a platform plugin; the report's fonts are the metric twins of the
# Windows fonts it names.
set(CPACK_DEBIAN_PACKAGE_DEPENDS "qt6-qpa-plugins, fonts-liberation, fonts-urw-base35")
# The help page opens in the desktop's browser; the paper check asks libcups.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "xdg-utils, libcups2")
# CPack indents every line after the first itself.
set(CPACK_DEBIAN_PACKAGE_DESCRIPTION "catalogue d'une collection / collection catalogue
CARNELIS tient le catalogue d'une collection (timbres, monnaies, objets)
dans des fichiers MDB, une table par collection : sélection par condition
et par cote, modification dans une grille, rapport imprimé.
.
CARNELIS keeps the catalogue of a collection (stamps, coins, objects) in
MDB files, one table per collection: selection by condition and value,
editing in a grid, printed report. Genuine Access files are read through
mdbtools; carnelis-base does the same from the command line.")
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION TRUE)

install(FILES ${PROJECT_SOURCE_DIR}/data/debian/copyright DESTINATION ${CMAKE_INSTALL_DOCDIR})
set(changelog ${CMAKE_BINARY_DIR}/changelog.Debian.gz)
add_custom_command(OUTPUT ${changelog}
  COMMAND ${GZIP} -9nc ${PROJECT_SOURCE_DIR}/data/debian/changelog > ${changelog}
  DEPENDS ${PROJECT_SOURCE_DIR}/data/debian/changelog)
add_custom_target(carnelis_changelog ALL DEPENDS ${changelog})
install(FILES ${changelog} DESTINATION ${CMAKE_INSTALL_DOCDIR})

include(CPack)

# What the package holds, for a build that makes only that (scripts/package).
add_custom_target(carnelis_package_parts
  DEPENDS carnelis carnelis-base carnelis-snapshot carnelis_desktop_files carnelis_changelog)

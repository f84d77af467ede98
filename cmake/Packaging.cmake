# SPDX-License-Identifier: GPL-3.0-or-later
# What an installation holds besides the programs and their data (the licence, the origin of
# the records, the example projects), and the Debian package CPack builds from it:
#   cmake --build build && (cd build && cpack -G DEB)    or    scripts/package.sh
include(GNUInstallDirs)

install(FILES ${PROJECT_SOURCE_DIR}/examples/startup.qbl
  ${PROJECT_SOURCE_DIR}/examples/startup-imperial.qbl
  ${PROJECT_SOURCE_DIR}/examples/startup-unconfirmed.qbl
  DESTINATION ${CMAKE_INSTALL_DATADIR}/quibel/examples)
# Debian keeps a package's licence in /usr/share/doc/<package>/copyright.
install(FILES ${PROJECT_SOURCE_DIR}/LICENSE DESTINATION ${CMAKE_INSTALL_DOCDIR} RENAME copyright)
install(FILES ${PROJECT_SOURCE_DIR}/data/README.md DESTINATION ${CMAKE_INSTALL_DOCDIR}
  RENAME earthquake-records.md)

set(QUIBEL_PACKAGE_MAINTAINER "QUIBEL developers <quibel-dev@example.org>" CACHE STRING
  "Maintainer field of the Debian package (Name <address>)")

set(CPACK_GENERATOR DEB)
set(CPACK_PACKAGE_NAME quibel)
set(CPACK_PACKAGE_VENDOR QUIBEL)
set(CPACK_PACKAGE_CONTACT "${QUIBEL_PACKAGE_MAINTAINER}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
  "seismic safety assessment of concrete gravity dams (sliding and rocking)")
set(CPACK_PACKAGE_DESCRIPTION
  "QUIBEL treats the part of a concrete gravity dam above a cracked, possibly inclined plane as a
rigid block and integrates, step by step, how that block slides along the plane, rocks about
its heel or toe, or both, under horizontal and vertical ground accelerations, force histories,
reservoir pressures, uplift and added forces and masses. It ships the desktop program quibel,
the command-line tool quibel-cli, an earthquake database of recorded accelerations and example
projects. Every text exists in English and French.")
set(CPACK_PACKAGING_INSTALL_PREFIX /usr)
set(CPACK_STRIP_FILES ON)
set(CPACK_PACKAGE_CHECKSUM SHA256)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_SECTION science)
set(CPACK_DEBIAN_PACKAGE_PRIORITY optional)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "${QUIBEL_PACKAGE_MAINTAINER}")
# The dependencies are the packages of the libraries the binaries load (dpkg-shlibdeps).
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
set(CPACK_DEBIAN_PACKAGE_GENERATE_SHLIBS OFF)
set(CPACK_DEBIAN_PACKAGE_CONTROL_STRICT_PERMISSION ON)

include(CPack)

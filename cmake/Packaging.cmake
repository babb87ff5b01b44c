# The Debian package: `cpack -G DEB` in the build folder (or `cmake --build <build> --target
# package`) writes zeb_<version>_<arch>.deb with everything `cmake --install` puts in place.
set(CPACK_PACKAGE_NAME "zeb")
set(CPACK_PACKAGE_VENDOR "Equipe ZEB")
set(CPACK_PACKAGE_CONTACT "Equipe ZEB <zeb@example.com>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY "design-flood hydrograph of small river basins")
# Debian shows the description on 80-column terminals: lines stay shorter than that.
set(CPACK_PACKAGE_DESCRIPTION
    "ZEB computes the design-flood hydrograph of a small river basin for a chosen\n\
return period by the synthetic triangular unit hydrograph and the curve-number\n\
method, with a reference database of rain-gauge stations and curve numbers.\n\
It has a desktop window in Portuguese (zeb) and a command for scripts and\n\
batch studies (zeb-calc).")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_GENERATOR "DEB")
# The debug information goes apart, into zeb-dbgsym_<version>_<arch>.ddeb, and the packaged
# programs are stripped of it there (CPack's own stripping would leave nothing to keep).
set(CPACK_DEBIAN_DEBUGINFO_PACKAGE ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Equipe ZEB <zeb@example.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_PRIORITY "optional")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zeb.example.com")
# The libraries the programs link (Qt 6, SQLite, mdbtools) are found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window fonts' stand-ins; the program still runs without them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-urw-base35")

include(CPack)

# The Debian package: `cpack -G DEB` in the build folder (or `cmake --build <build> --target
# package`) writes zeb_<version>_<arch>.deb with everything `cmake --install` puts in place.
set(CPACK_PACKAGE_NAME "zeb")
set(CPACK_PACKAGE_VENDOR "Equipe ZEB")
set(CPACK_PACKAGE_CONTACT "Equipe ZEB <zeb@example.com>")
set(CPACK_PACKAGE_VERSION "${PROJECT_VERSION}")
set(CPACK_PACKAGE_DESCRIPTION_SUMMARY
    "Hidrograma de cheia de projeto pelo hidrograma unitário sintético triangular")
set(CPACK_PACKAGE_DESCRIPTION
    "ZEB computes the design-flood hydrograph of a small river basin by the synthetic\n\
triangular unit hydrograph and the curve-number method, with a reference database of\n\
rain-gauge stations and curve numbers. It has a Portuguese desktop window (zeb) and a\n\
command for scripts and batch studies (zeb-calc).")
set(CPACK_PACKAGING_INSTALL_PREFIX "/usr")
set(CPACK_GENERATOR "DEB")
set(CPACK_STRIP_FILES ON)

set(CPACK_DEBIAN_FILE_NAME DEB-DEFAULT)
set(CPACK_DEBIAN_PACKAGE_MAINTAINER "Equipe ZEB <zeb@example.com>")
set(CPACK_DEBIAN_PACKAGE_SECTION "science")
set(CPACK_DEBIAN_PACKAGE_HOMEPAGE "https://zeb.example.com")
# The libraries the programs link (Qt 6, SQLite, mdbtools) are found by dpkg-shlibdeps.
set(CPACK_DEBIAN_PACKAGE_SHLIBDEPS ON)
# The window fonts' stand-ins; the program still runs without them.
set(CPACK_DEBIAN_PACKAGE_RECOMMENDS "fonts-liberation, fonts-urw-base35")

include(CPack)

#!/usr/bin/env bash
# Installs what ZEB needs to build, test and run on Debian 12, from Debian's own packages; with
# "windows", also what the Windows build needs (scripts/build-windows.sh): the MinGW-w64 cross
# compilers, NSIS, Wine for the tests and the installer check, the autotools for libmdb, zip.
# Does nothing when every package is installed; otherwise runs apt-get as root, or through
# sudo. The names are real packages, never virtual ones, which dpkg never reports installed.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git
    qt6-base-dev qt6-base-dev-tools qt6-svg-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
    libqt6printsupport6 libcups2-dev
    libsqlite3-dev sqlite3 nlohmann-json3-dev
    mdbtools mdbtools-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation fonts-liberation2 fonts-urw-base35 desktop-file-utils
    lintian appstream bash-completion man-db file
    clang libclang-rt-14-dev
    xvfb xauth poppler-utils locales qt6-translations-l10n
)

if [ "${1:-}" = "windows" ]; then
    packages+=(
        g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
        nsis wine wine64 autoconf automake libtool make curl unzip zip xz-utils
    )
fi

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi

sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
echo "Installing: ${missing[*]}"
$sudo apt-get update -qq
DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

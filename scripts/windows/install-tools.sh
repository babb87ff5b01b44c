#!/usr/bin/env bash
# Installs, from Debian's packages, what the Windows build needs besides what ZEB's own build
# needs: the MinGW-w64 cross compilers, NSIS, Wine (for the tests and the installer check),
# the autotools for libmdb and zip. Does nothing when all are installed.
set -euo pipefail

packages=(
    g++-mingw-w64-x86-64-posix gcc-mingw-w64-x86-64-posix mingw-w64-tools
    nsis wine wine64 autoconf automake libtool make curl unzip zip xz-utils
    qt6-translations-l10n
)

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

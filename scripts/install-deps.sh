#!/usr/bin/env bash
# Installs what ZEB needs to build, test and run on Debian 12, from Debian's own packages.
# Runs apt-get as root, or through sudo when there is one.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config git
    qt6-base-dev qt6-base-dev-tools libqt6svg6-dev qt6-charts-dev libqt6opengl6-dev libgl-dev
    libqt6printsupport6 libcups2-dev
    libsqlite3-dev sqlite3 nlohmann-json3-dev
    mdbtools mdbtools-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    fonts-liberation fonts-liberation2 fonts-urw-base35 desktop-file-utils
    lintian appstream bash-completion man-db file
    clang libclang-rt-14-dev
    xvfb xauth poppler-utils locales
    cups cups-bsd cups-client printer-driver-cups-pdf
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

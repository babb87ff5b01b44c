#!/usr/bin/env bash
# Builds ZEB for 64-bit Windows on Debian and makes, in dist/, the installer
# ZEB-<version>-setup.exe and the portable ZEB-<version>-portatil.zip of the same files.
#
#   scripts/build-windows.sh           the build, the installer and the archive
#   scripts/build-windows.sh --test    also the Windows tests under Wine, and the installer
#                                      installed silently under Wine and checked
#
# The libraries ZEB links (Qt, libmdb, SQLite, GoogleTest) are built for Windows once per
# machine into $ZEB_WINDOWS_PREFIX (default ~/.cache/zeb-windows): about half an hour on two
# cores the first time, nothing later.
set -euo pipefail
cd "$(dirname "$0")/.."
root="$PWD"

run_tests=false
[ "${1:-}" = "--test" ] && run_tests=true

scripts/install-deps.sh windows
export ZEB_WINDOWS_PREFIX="${ZEB_WINDOWS_PREFIX:-$HOME/.cache/zeb-windows}"
scripts/windows/third-party.sh "$ZEB_WINDOWS_PREFIX"

# Wine without the prompts of its first start (its .NET and HTML engines are not needed).
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
cmake --preset windows >/dev/null
cmake --build --preset windows -j "$(nproc)"

version="$(sed -n 's/^CMAKE_PROJECT_VERSION:STATIC=//p' build-windows/CMakeCache.txt)"
stage="$root/build-windows/stage/ZEB-$version"
rm -rf "$root/build-windows/stage" && mkdir -p "$root/dist"
cmake --install build-windows --prefix "$stage" >/dev/null

lists="$root/build-windows/nsis"
mkdir -p "$lists"
scripts/windows/nsis-lists.sh "$stage" "$lists/files.nsh" "$lists/removals.nsh"
setup="$root/dist/ZEB-$version-setup.exe"
makensis -V2 -DVERSION="$version" -DSTAGE="$stage" -DOUTFILE="$setup" \
    -DFILES="$lists/files.nsh" -DREMOVALS="$lists/removals.nsh" packaging/windows/zeb.nsi
portable="$root/dist/ZEB-$version-portatil.zip"
rm -f "$portable"
(cd "$root/build-windows/stage" && zip -q -r -X "$portable" "ZEB-$version")

if $run_tests; then
    # One Wine server for all the tests: when each test's program starts its own, one may start
    # while the last one's server is shutting down, and fail before it runs.
    # Wine's own services start with it, apart from the tests' output, which they would
    # otherwise hold open after the test ends.
    # A server already running (the user's own Wine session) is used as it is, and left running.
    if wineserver -p 2>/dev/null; then
        trap 'wineserver -k 2>/dev/null || true' EXIT
    else
        echo "build-windows: a Wine server is already running; the tests use it"
    fi
    wine cmd /c exit </dev/null >/dev/null 2>&1
    ctest --preset windows
    scripts/windows/check-installer.sh "$setup"
fi

for file in "$setup" "$portable"; do
    printf '%s  %s bytes  %s\n' "$(sha256sum "$file" | cut -d' ' -f1)" \
        "$(stat -c %s "$file")" "$(basename "$file")"
done

#!/usr/bin/env bash
# Installs a build into a temporary prefix and uses the installed programs from there, far
# from the build folder: the files in their places, the desktop entry valid, and the
# programs finding the installed reference database.
# Usage: install_test.sh BUILD_DIR
set -euo pipefail
build="$1"
prefix="$(mktemp -d)"
trap 'rm -rf "$prefix"' EXIT

cmake --install "$build" --prefix "$prefix" >/dev/null

app_id=com.example.zeb
for file in bin/zeb bin/zeb-calc share/zeb/zeb.sqlite \
            "share/applications/$app_id.desktop" \
            "share/icons/hicolor/48x48/apps/$app_id.png" \
            "share/icons/hicolor/scalable/apps/$app_id.svg" "share/mime/packages/$app_id.xml"; do
    if [ ! -f "$prefix/$file" ]; then
        echo "not installed: $file" >&2
        exit 1
    fi
done
for program in zeb zeb-calc; do
    [ -x "$prefix/bin/$program" ] || { echo "not executable: bin/$program" >&2; exit 1; }
done
if [ -e "$prefix/bin/zeb.sqlite" ]; then
    echo "the database belongs in share/zeb, not beside the programs" >&2
    exit 1
fi
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$prefix/share/applications/$app_id.desktop"
fi
grep -qx "Exec=zeb %f" "$prefix/share/applications/$app_id.desktop"
grep -qx "Icon=$app_id" "$prefix/share/applications/$app_id.desktop"

cd "$prefix"
station="Posto de exemplo (valores ilustrativos)"
# The installed data, found from bin/ through share/zeb/: the shipped station listed, and a
# run with it gives the same record as its constants typed in.
"$prefix/bin/zeb-calc" --list stations >"$prefix/stations.txt"
printf '1\t%s\tXX\n' "$station" | cmp - "$prefix/stations.txt"
"$prefix/bin/zeb-calc" --duration "1 h" --return-period 100 --area 50 --tc 6 --cn 75 \
    --station "$station" --format json >"$prefix/out.json"
"$prefix/bin/zeb-calc" --duration "1 h" --return-period 100 --area 50 --tc 6 --cn 75 \
    --station-constants 0.2,25,20,-0.04,0.08,0.08,0.08 --format json >"$prefix/expected.json"
grep -q '"record"' "$prefix/out.json"
cmp "$prefix/out.json" "$prefix/expected.json"
# The chart formats load their module from its installed place, without a display.
env -u DISPLAY "$prefix/bin/zeb-calc" --duration "1 h" --return-period 100 --area 50 --tc 6 \
    --cn 75 --station-constants 0.2,25,20,-0.04,0.08,0.08,0.08 --format pdf \
    --output "$prefix/chart.pdf" 2>/dev/null
head -c 5 "$prefix/chart.pdf" | grep -q '%PDF-'

# The window: the start-up probe, put beside the installed zeb, starts as zeb does and finds
# the installed data; it hands the splash over at once and quits once the main window shows.
cp "$build/app/zeb-startup-probe" "$prefix/bin/"
timeout 30 "$prefix/bin/zeb-startup-probe"
# Without a display zeb says so in Portuguese and points to zeb-calc, instead of aborting; its
# --help and --version answer without one.
set +e
env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$prefix/bin/zeb" 2>"$prefix/no-display.txt"
status=$?
set -e
[ "$status" -eq 1 ] || { echo "zeb without a display ended with $status" >&2; exit 1; }
grep -q "precisa de uma tela gráfica" "$prefix/no-display.txt"
grep -q "zeb-calc" "$prefix/no-display.txt"
env -u DISPLAY "$prefix/bin/zeb" --help | grep -q "zeb-calc"
env -u DISPLAY "$prefix/bin/zeb" --version | grep -qx "zeb [0-9.]*"
echo "installed and ran from $prefix"

#!/usr/bin/env bash
# Installs ZEB-<version>-setup.exe silently under Wine, checks the installed programs and the
# file type, and uninstalls it silently again, checking that nothing is left.
#   scripts/windows/check-installer.sh dist/ZEB-<version>-setup.exe
set -euo pipefail
cd "$(dirname "$0")/../.."
setup="$(realpath "$1")"
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml="
fail() { echo "check-installer: $*" >&2; exit 1; }

wine "$setup" /S
folder="$(wine winepath -u 'C:\Program Files\ZEB' 2>/dev/null | tr -d '\r')"
[ -x "$folder/zeb.exe" ] || fail "zeb.exe was not installed in $folder"
[ -f "$folder/share/zeb/zeb.sqlite" ] || fail "the shipped database was not installed"
wine reg query 'HKLM\Software\Classes\ZEB.Estudo\shell\open\command' | grep -q 'zeb.exe' ||
    fail "the .zeb file type does not open ZEB"

# The installed zeb-calc.exe computes the worked example: the golden report, byte for byte.
report="$(mktemp)"
trap 'rm -f "$report"' EXIT
ZEB_REPORT_TIMESTAMP="2024-05-17 14:30:00" wine "$folder/zeb-calc.exe" --format report \
    --duration "1 h" --return-period 100 --area 50 --tc 6 --cn 75 \
    --station-constants 0.2,25,20,-0.04,0.08,0.08,0.08 \
    --river "Rio Sapucaí" --station-name "Posto ilustrativo (São João)" \
    --output "$(wine winepath -w "$report" 2>/dev/null | tr -d '\r')" 2>/dev/null
cmp "$report" tests/data/worked-example-report.txt || fail "the installed zeb-calc.exe's report differs"
echo "check-installer: installed in $folder; zeb-calc.exe gives the worked example's report"

# The uninstaller copies itself away and returns at once: wait for it to finish.
wine "$folder/Desinstalar.exe" /S
for _ in $(seq 60); do
    [ -e "$folder" ] || break
    sleep 1
done
[ ! -e "$folder" ] || fail "the uninstaller left $folder: $(find "$folder" | head)"
if wine reg query 'HKLM\Software\Classes\ZEB.Estudo' >/dev/null 2>&1; then
    fail "the uninstaller left the .zeb file type"
fi
echo "check-installer: uninstalled, nothing left"

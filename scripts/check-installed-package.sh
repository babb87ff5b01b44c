#!/usr/bin/env bash
# Installs the built Debian package on this machine as a user would (apt install ./zeb_….deb),
# checks what a user then finds — the manual page, the completion of zeb-calc's options, the
# menu entry and its icon, the software-centre metadata — and removes the package again.
# Needs root. Usage: scripts/check-installed-package.sh [BUILD_DIR]
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
if [ "$(id -u)" -ne 0 ]; then
    echo "check-installed-package: skipped, installing a package needs root" >&2
    exit 0
fi
out="$(mktemp -d)"
trap 'apt-get remove -y -qq zeb >/dev/null 2>&1 || true; rm -rf "$out"' EXIT

if dpkg-query -W -f='${Status}' zeb 2>/dev/null | grep -q "install ok installed"; then
    echo "zeb is already installed on this machine; not touching it" >&2
    exit 1
fi
(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log") || { cat "$out/cpack.log" >&2; exit 1; }
DEBIAN_FRONTEND=noninteractive apt-get install -y -qq "$(ls "$out"/zeb_*.deb)" >/dev/null

fail() { echo "installed package: $*" >&2; exit 1; }
man -w zeb-calc >/dev/null || fail "no manual page for zeb-calc"
MANWIDTH=80 man zeb-calc 2>/dev/null | grep -q "CÓDIGOS DE SAÍDA" || fail "zeb-calc(1) does not render"
man -w zeb >/dev/null || fail "no manual page for zeb"
completion=$(bash -c 'source /usr/share/bash-completion/bash_completion
    _completion_loader zeb-calc
    COMP_WORDS=(zeb-calc --fo); COMP_CWORD=1; _zeb_calc; echo "${COMPREPLY[*]}"')
[ "$completion" = "--format" ] || fail "zeb-calc --fo<Tab> gives '$completion'"
desktop-file-validate /usr/share/applications/com.example.zeb.desktop
[ -f /usr/share/icons/hicolor/scalable/apps/com.example.zeb.svg ] || fail "no scalable icon"
[ -f /usr/share/icons/hicolor/48x48/apps/com.example.zeb.png ] || fail "no 48x48 icon"
appstreamcli validate --no-net /usr/share/metainfo/com.example.zeb.metainfo.xml >/dev/null
# The desktop knows a .zeb file as a study and opens it with ZEB: shared-mime-info's and
# desktop-file-utils' triggers have run by the time apt returns.
if command -v update-mime-database >/dev/null; then
    [ -f /usr/share/mime/application/x-zeb-study.xml ] || fail "the study type is not registered"
fi
grep -q "application/x-zeb-study" /usr/share/applications/mimeinfo.cache ||
    fail "the menu entry is not registered for study files"
zeb-calc --list stations | grep -q "Posto de exemplo" || fail "zeb-calc does not find its database"
echo "installed package: manual pages, completion, menu entry, study type, icons and metadata in place"

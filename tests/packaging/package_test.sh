#!/usr/bin/env bash
# Builds the Debian package of a build and checks its name, contents and dependencies.
# Usage: package_test.sh BUILD_DIR
set -euo pipefail
build="$1"
out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT

(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log") || { cat "$out/cpack.log" >&2; exit 1; }
deb=$(ls "$out"/zeb_*.deb)

[ "$(dpkg-deb -f "$deb" Package)" = zeb ]
depends=$(dpkg-deb -f "$deb" Depends)
for library in libqt6widgets6 libsqlite3 libmdb; do
    if ! grep -q "$library" <<<"$depends"; then
        echo "Depends lacks $library: $depends" >&2
        exit 1
    fi
done
dpkg-deb -f "$deb" Maintainer | grep -q '@example.com'

contents=$(dpkg-deb -c "$deb")
for file in ./usr/bin/zeb ./usr/bin/zeb-calc ./usr/share/zeb/zeb.sqlite \
            ./usr/share/applications/com.example.zeb.desktop \
            ./usr/share/icons/hicolor/48x48/apps/com.example.zeb.png \
            ./usr/share/icons/hicolor/scalable/apps/com.example.zeb.svg \
            ./usr/share/icons/hicolor/256x256/apps/com.example.zeb.png \
            ./usr/share/icons/hicolor/16x16/apps/com.example.zeb.png \
            ./usr/share/metainfo/com.example.zeb.metainfo.xml \
            ./usr/share/mime/packages/com.example.zeb.xml \
            ./usr/share/man/man1/zeb.1.gz ./usr/share/man/man1/zeb-calc.1.gz \
            ./usr/share/bash-completion/completions/zeb-calc \
            ./usr/share/doc/zeb/copyright ./usr/share/doc/zeb/changelog.gz; do
    if ! grep -q " $file\$" <<<"$contents"; then
        echo "not in the package: $file" >&2
        exit 1
    fi
done
# The debug information is in its own package, and the programs are stripped.
ls "$out"/zeb-dbgsym_*.ddeb >/dev/null
dpkg-deb -x "$deb" "$out/root"
if file "$out/root/usr/bin/zeb-calc" | grep -q "not stripped"; then
    echo "zeb-calc is not stripped" >&2
    exit 1
fi

# The distribution's own checkers: no error, no warning.
desktop-file-validate "$out/root/usr/share/applications/com.example.zeb.desktop"
appstreamcli validate --no-net --pedantic "$out/root/usr/share/metainfo/com.example.zeb.metainfo.xml"
report=$(lintian --fail-on error,warning "$deb" 2>&1) || { echo "$report" >&2; exit 1; }

echo "$(basename "$deb"): $depends"

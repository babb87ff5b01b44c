#!/usr/bin/env bash
# Builds, once per machine, the Windows libraries ZEB links and Debian packages for Linux only:
# Qt 6.4.2 (base, svg, charts), libmdb from mdbtools 1.0.0, SQLite 3.40.1 and GoogleTest, all
# with Debian's MinGW-w64 cross compiler, into one prefix that later builds reuse.
#
#   scripts/windows/third-party.sh [PREFIX]     (default: $ZEB_WINDOWS_PREFIX or ~/.cache/zeb-windows)
#
# Each piece leaves a stamp file when installed; a piece with its stamp is skipped. The prefix
# records its own paths, so it is built where it stays.
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
root="$(cd "$here/../.." && pwd)"
prefix="${1:-${ZEB_WINDOWS_PREFIX:-$HOME/.cache/zeb-windows}}"
sources="${ZEB_THIRD_PARTY:-$root/../shared/third_party}"
work="$prefix/work"
jobs="$(nproc)"
mkdir -p "$prefix" "$work"
# Qt records the toolchain file it was built with; a copy inside the prefix outlives the clone.
toolchain="$prefix/windows-mingw.cmake"
cp "$root/cmake/windows-mingw.cmake" "$toolchain"

# Archive, SHA-256 and upstream address of each source. The qtbase archive is Debian's own
# source of qt6-base, so its upstream is Debian's archive.
declare -A sha url
sha[qtbase-everywhere-src-6.4.2+dfsg.tar.xz]=4f14b89a9463a540fd84a6718b8519a2297119b454ef547721015a9e9019ae9e
sha[qtsvg-6.4.2.tar.xz]=98d874779f95292e2669a7350892b7d1590d7cf64609b835f014bdb56c04ff24
sha[qtcharts-6.4.2.tar.xz]=19c0da55072b540cc6ba85c8a61bf29305b050ec1f7e7f5f1e8f6be7db8d3276
sha[mdbtools-1.0.0.tar.xz]=cd731312883da17922b5415ca9ae2fca87becc4b168ae3f60269d20fa50f36aa
sha[sqlite-amalgamation-3.40.1.tar.xz]=04a800c95b71cea79bac0774097e13d38a07a04b6eb1df3f4e6ce10b46c46be6
url[qtbase-everywhere-src-6.4.2+dfsg.tar.xz]=https://deb.debian.org/debian/pool/main/q/qt6-base/qt6-base_6.4.2+dfsg.orig.tar.xz
url[qtsvg-6.4.2.tar.xz]=https://download.qt.io/archive/qt/6.4/6.4.2/submodules/qtsvg-everywhere-src-6.4.2.tar.xz
url[qtcharts-6.4.2.tar.xz]=https://download.qt.io/archive/qt/6.4/6.4.2/submodules/qtcharts-everywhere-src-6.4.2.tar.xz
url[mdbtools-1.0.0.tar.xz]=https://github.com/mdbtools/mdbtools/releases/download/v1.0.0/mdbtools-1.0.0.tar.gz
url[sqlite-amalgamation-3.40.1.tar.xz]=https://www.sqlite.org/2022/sqlite-amalgamation-3400100.zip

# Prints the path of a checked archive: the shared copy when there is one, else a download.
archive() {
    local name="$1" file
    if [ -f "$sources/$name" ]; then
        file="$sources/$name"
    else
        file="$prefix/downloads/$name"
        if [ ! -f "$file" ]; then
            mkdir -p "$prefix/downloads"
            echo "Downloading ${url[$name]}" >&2
            curl -fL --retry 3 -o "$file.part" "${url[$name]}" >&2
            mv "$file.part" "$file"
        fi
    fi
    if ! echo "${sha[$name]}  $file" | sha256sum -c --quiet - >&2; then
        echo "The SHA-256 of $file is not the expected one; refusing to build it." >&2
        exit 1
    fi
    echo "$file"
}

# Unpacks an archive into the work folder and prints the folder it made.
unpack() {
    local file="$1" dir
    dir="$work/$(basename "$file" | sed -E 's/\.(tar\.xz|tar\.gz|zip)$//')"
    rm -rf "$dir" && mkdir -p "$dir"
    case "$file" in
    *.zip) (cd "$dir" && unzip -q "$file") ;;
    *) tar -xf "$file" -C "$dir" ;;
    esac
    # One top folder inside: use it.
    local inner
    inner="$(find "$dir" -mindepth 1 -maxdepth 1 -type d)"
    if [ "$(echo "$inner" | wc -l)" -eq 1 ] && [ -n "$inner" ]; then echo "$inner"; else echo "$dir"; fi
}

done_stamp() { [ -f "$prefix/.stamp-$1" ]; }
mark_done() { touch "$prefix/.stamp-$1"; }

build_qtbase() {
    done_stamp qtbase && return
    local src
    src="$(unpack "$(archive qtbase-everywhere-src-6.4.2+dfsg.tar.xz)")"
    cmake -G Ninja -S "$src" -B "$work/build-qtbase" -DCMAKE_TOOLCHAIN_FILE="$toolchain" \
        -DQT_HOST_PATH=/usr -DQT_HOST_PATH_CMAKE_DIR=/usr/lib/x86_64-linux-gnu/cmake \
        -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX="$prefix" \
        -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF -DFEATURE_sql=OFF -DFEATURE_dbus=OFF \
        -DFEATURE_opengl=OFF -DINPUT_opengl=no -DFEATURE_system_zlib=OFF \
        -DFEATURE_tabletevent=OFF
    ninja -C "$work/build-qtbase" -j "$jobs"
    ninja -C "$work/build-qtbase" install
    rm -rf "$work/build-qtbase" "$src"
    mark_done qtbase
}

build_qt_module() {
    local name="$1" archive_name="$2"
    done_stamp "$name" && return
    local src
    src="$(unpack "$(archive "$archive_name")")"
    "$prefix/bin/qt-cmake" -G Ninja -S "$src" -B "$work/build-$name" \
        -DCMAKE_BUILD_TYPE=Release -DQT_BUILD_EXAMPLES=OFF -DQT_BUILD_TESTS=OFF
    ninja -C "$work/build-$name" -j "$jobs"
    ninja -C "$work/build-$name" install
    rm -rf "$work/build-$name" "$src"
    mark_done "$name"
}

build_sqlite() {
    done_stamp sqlite && return
    local src
    src="$(unpack "$(archive sqlite-amalgamation-3.40.1.tar.xz)")"
    mkdir -p "$prefix/include" "$prefix/lib"
    x86_64-w64-mingw32-gcc-posix -O2 -DSQLITE_THREADSAFE=1 -DSQLITE_OMIT_LOAD_EXTENSION \
        -c "$src/sqlite3.c" -o "$work/sqlite3.o"
    rm -f "$prefix/lib/libsqlite3.a"
    x86_64-w64-mingw32-ar rcs "$prefix/lib/libsqlite3.a" "$work/sqlite3.o"
    cp "$src/sqlite3.h" "$prefix/include/"
    rm -rf "$src" "$work/sqlite3.o"
    mark_done sqlite
}

build_libmdb() {
    done_stamp libmdb && return
    local src
    src="$(unpack "$(archive mdbtools-1.0.0.tar.xz)")"
    (cd "$src" && autoreconf -i -f >/dev/null 2>&1 &&
        ./configure --host=x86_64-w64-mingw32 --prefix="$prefix" --disable-glib \
            --disable-man --enable-static --disable-shared \
            CC=x86_64-w64-mingw32-gcc-posix >/dev/null &&
        make -C src/libmdb -j "$jobs" >/dev/null && make -C src/libmdb install >/dev/null &&
        make -C include install >/dev/null)
    mkdir -p "$prefix/lib/pkgconfig"
    sed -e "s|^Requires:.*||" "$src/libmdb.pc" >"$prefix/lib/pkgconfig/libmdb.pc"
    rm -rf "$src"
    mark_done libmdb
}

# The JSON library is headers only: Debian's copy, with its CMake files, beside the others so
# that the cross build never looks in the host's /usr/include.
copy_nlohmann_json() {
    done_stamp nlohmann-json && return
    mkdir -p "$prefix/include" "$prefix/share/cmake"
    cp -r /usr/include/nlohmann "$prefix/include/"
    cp -r /usr/share/cmake/nlohmann_json "$prefix/share/cmake/"
    mark_done nlohmann-json
}

build_googletest() {
    done_stamp googletest && return
    cmake -G Ninja -S /usr/src/googletest -B "$work/build-googletest" \
        -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DCMAKE_BUILD_TYPE=Release \
        -DCMAKE_INSTALL_PREFIX="$prefix" -Dgtest_disable_pthreads=OFF
    ninja -C "$work/build-googletest" -j "$jobs"
    ninja -C "$work/build-googletest" install
    rm -rf "$work/build-googletest"
    mark_done googletest
}

# The licences the installer carries beside the libraries: Qt's, libmdb's, SQLite's and the
# MinGW-w64 runtime's, each in a folder of its own.
copy_licenses() {
    done_stamp licenses && return
    local out="$prefix/licenses" name src
    rm -rf "$out" && mkdir -p "$out"
    for name in qtbase-everywhere-src-6.4.2+dfsg qtsvg-6.4.2 qtcharts-6.4.2; do
        src="$(unpack "$(archive "$name.tar.xz")")"
        mkdir -p "$out/${name%%-*}" && cp "$src"/LICENSES/*.txt "$out/${name%%-*}/"
        rm -rf "$src"
    done
    src="$(unpack "$(archive mdbtools-1.0.0.tar.xz)")"
    mkdir -p "$out/libmdb" && cp "$src/COPYING.LIB" "$src/COPYING" "$out/libmdb/"
    rm -rf "$src"
    src="$(unpack "$(archive sqlite-amalgamation-3.40.1.tar.xz)")"
    mkdir -p "$out/sqlite" && cp "$src/LICENSE.md" "$out/sqlite/"
    rm -rf "$src"
    mkdir -p "$out/mingw-w64"
    cp /usr/share/doc/gcc-mingw-w64-base/copyright "$out/mingw-w64/gcc-runtime.txt"
    cp /usr/share/doc/mingw-w64-common/copyright "$out/mingw-w64/mingw-w64-runtime.txt"
    mark_done licenses
}

pieces=("${@:2}")
[ ${#pieces[@]} -gt 0 ] || pieces=(sqlite libmdb nlohmann-json googletest qtbase qtsvg qtcharts licenses)
for piece in "${pieces[@]}"; do
    echo "== Windows $piece"
    case "$piece" in
    qtbase) build_qtbase ;;
    qtsvg) build_qt_module qtsvg qtsvg-6.4.2.tar.xz ;;
    qtcharts) build_qt_module qtcharts qtcharts-6.4.2.tar.xz ;;
    sqlite) build_sqlite ;;
    libmdb) build_libmdb ;;
    nlohmann-json) copy_nlohmann_json ;;
    licenses) copy_licenses ;;
    googletest) build_googletest ;;
    *) echo "Unknown piece: $piece" >&2; exit 2 ;;
    esac
done

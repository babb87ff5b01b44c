#!/usr/bin/env bash
# Writes the installer's two lists from the staged installation folder STAGE: FILES installs
# every file in it, REMOVALS removes exactly those files and then their folders, deepest first
# (RMDir leaves a folder that still holds anything the user put there).
#   scripts/windows/nsis-lists.sh STAGE FILES REMOVALS
set -euo pipefail
stage="$(cd "$1" && pwd)"
files="$2"
removals="$3"
: >"$files"
: >"$removals"
cd "$stage"
windows() { echo "${1//\//\\}"; }
while IFS= read -r dir; do
    rel="${dir#.}"
    rel="${rel#/}"
    echo "SetOutPath \"\$INSTDIR$([ -n "$rel" ] && echo "\\$(windows "$rel")")\"" >>"$files"
    find "$dir" -mindepth 1 -maxdepth 1 -type f | LC_ALL=C sort | while IFS= read -r file; do
        echo "File \"$stage/${file#./}\"" >>"$files"
        echo "Delete \"\$INSTDIR\\$(windows "${file#./}")\"" >>"$removals"
    done
done < <(find . -type d | LC_ALL=C sort)
find . -mindepth 1 -type d | LC_ALL=C sort -r | while IFS= read -r dir; do
    echo "RMDir \"\$INSTDIR\\$(windows "${dir#./}")\"" >>"$removals"
done

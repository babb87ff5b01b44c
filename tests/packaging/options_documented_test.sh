#!/usr/bin/env bash
# zeb-calc's options are written in three places: its --help, its manual page and its bash
# completion. Fails when an option stands in one and not in another.
# Usage: options_documented_test.sh ZEB_CALC PACKAGING_SOURCE_DIR
set -euo pipefail
zeb_calc="$1"
packaging="$2"

options() { grep -o -- '--[a-z][a-z-]*' | sort -u; }

help=$("$zeb_calc" --help | options)
manual=$(sed 's/\\-/-/g' "$packaging/man/zeb-calc.1" | options)
completion=$(sed -n '/local options=/,/"$/p' "$packaging/completion/zeb-calc" | options)

status=0
for pair in "manual:$manual" "completion:$completion"; do
    name="${pair%%:*}"
    if ! diff <(echo "$help") <(echo "${pair#*:}") >/dev/null; then
        echo "--help and the $name differ (< only in --help, > only in the $name):" >&2
        diff <(echo "$help") <(echo "${pair#*:}") | grep '^[<>]' >&2
        status=1
    fi
done
[ "$status" -eq 0 ] && echo "$(wc -l <<<"$help") options in --help, the manual and the completion"
exit "$status"

#!/usr/bin/env bash
# On a machine that has every package, scripts/install-deps.sh does nothing: sudo and apt-get
# are replaced by stubs that fail loudly if they are ever run.
# Usage: install_deps_test.sh SOURCE_DIR
set -euo pipefail
stubs="$(mktemp -d)"
trap 'rm -rf "$stubs"' EXIT
for tool in sudo apt-get apt; do
    printf '#!/bin/sh\necho "%s was run: $*" >&2\nexit 97\n' "$tool" >"$stubs/$tool"
    chmod +x "$stubs/$tool"
done
PATH="$stubs:$PATH" "$1/scripts/install-deps.sh"

#!/usr/bin/env bash
# Generates the locales the test suite runs under: en_US.UTF-8 and pt_BR.UTF-8 (C is built in).
set -euo pipefail
sudo=""
if [ "$(id -u)" -ne 0 ]; then
    sudo="sudo"
fi
need=()
for l in en_US.UTF-8 pt_BR.UTF-8; do
    locale -a 2>/dev/null | grep -qi "^${l%.UTF-8}.utf8$" || need+=("$l")
done
[ ${#need[@]} -eq 0 ] && exit 0
for l in "${need[@]}"; do
    if ! grep -q "^$l UTF-8" /etc/locale.gen 2>/dev/null; then
        echo "$l UTF-8" | $sudo tee -a /etc/locale.gen >/dev/null
    fi
done
$sudo locale-gen >/dev/null

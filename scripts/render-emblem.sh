#!/usr/bin/env bash
# Renders ui/resources/emblem.svg into the committed window pictures (the 125 x 135 24-bit
# bitmap and the 48 x 48 16-colour icon). Run after changing the drawing.
set -euo pipefail
cd "$(dirname "$0")/.."
build="${1:-build}"
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo >/dev/null
cmake --build "$build" --target zeb_render_emblem -j 2
"$build/ui/zeb_render_emblem" ui/resources/emblem.svg ui/resources

#!/usr/bin/env bash
# Quick start: install the dependencies, build, and start ZEB.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default
exec build/app/zeb "$@"

#!/usr/bin/env bash
# Quick start: install the dependencies, build, and run every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
scripts/build.sh default
ctest --preset default

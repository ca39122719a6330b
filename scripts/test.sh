#!/usr/bin/env bash
# Installs what Pelquin needs, builds it and runs every test (no screen needed).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/check-layers.sh
scripts/setup-deps.sh
scripts/build.sh
cd build
QT_QPA_PLATFORM=offscreen ctest --output-on-failure --timeout 300 -j1

#!/usr/bin/env bash
# Configures (once) and builds Pelquin in Release with its tests into build/.
set -euo pipefail
cd "$(dirname "$0")/.."
if [ ! -f build/build.ninja ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DPELQUIN_BUILD_TESTS=ON
fi
cmake --build build --parallel "$(nproc)" ${1:+--target "$1"}

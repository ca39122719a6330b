#!/usr/bin/env bash
# Builds the Debian package pelquin_<version>_<arch>.deb into build/ (install it with
# `sudo apt install ./build/pelquin_*.deb`, which pulls in the libraries it needs).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh
scripts/build.sh pelquin
(cd build && cpack -G DEB)
ls -1 build/pelquin_*.deb

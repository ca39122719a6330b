#!/usr/bin/env bash
# Installs what Pelquin needs, builds it and starts the browser. Extra arguments go to the
# program (a profile file name in the application folder).
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/setup-deps.sh
scripts/build.sh pelquin
exec build/src/pelquin "$@"

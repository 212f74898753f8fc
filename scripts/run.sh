#!/usr/bin/env bash
# Sets up, builds the program (nothing else) and starts it.
set -euo pipefail
cd "$(dirname "$0")/.."
ZELK_BUILD_TARGETS=zelk bash scripts/build.sh
exec "${ZELK_BUILD_DIR:-build}/zelk" "$@"

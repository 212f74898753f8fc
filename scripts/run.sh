#!/usr/bin/env bash
# Sets up, builds and starts Zelk.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
exec "${ZELK_BUILD_DIR:-build}/zelk" "$@"

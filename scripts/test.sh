#!/usr/bin/env bash
# Sets up, builds and runs every test suite (headless: Qt's offscreen platform).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
cd "${ZELK_BUILD_DIR:-build}"
ctest --output-on-failure --parallel "$(nproc)" --timeout 900

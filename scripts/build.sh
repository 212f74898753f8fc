#!/usr/bin/env bash
# Configures and builds Zelk into ./build (or $ZELK_BUILD_DIR) with every core: every target, or
# only the targets named in $ZELK_BUILD_TARGETS.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/setup.sh
export CCACHE_BASEDIR="$(pwd)"
BUILD_DIR="${ZELK_BUILD_DIR:-build}"
cmake -S . -B "$BUILD_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release "$@" >/dev/null
TARGETS=()
for t in ${ZELK_BUILD_TARGETS:-}; do TARGETS+=(--target "$t"); done
cmake --build "$BUILD_DIR" --parallel "$(nproc)" "${TARGETS[@]}"

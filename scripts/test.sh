#!/usr/bin/env bash
# Sets up, builds and runs every test suite (headless: Qt's offscreen platform), then runs the
# seeded fuzz suite again in a build with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/build.sh
export QT_QPA_PLATFORM=offscreen
ROOT="$(pwd)"
(cd "${ZELK_BUILD_DIR:-build}" && ctest --output-on-failure --parallel "$(nproc)" --timeout 900)

if [ -d tests/fuzz ] && [ -z "${ZELK_SKIP_SANITIZERS:-}" ]; then
  SAN_DIR="${ZELK_SANITIZE_BUILD_DIR:-build-asan}"
  export CCACHE_BASEDIR="$ROOT"
  cmake -S . -B "$SAN_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELK_SANITIZE=ON >/dev/null
  cmake --build "$SAN_DIR" --parallel "$(nproc)" --target test_fuzz
  # Leaks are not the question here; the window system's libraries keep caches at exit.
  export ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
  (cd "$SAN_DIR" && ctest --output-on-failure -R '^fuzz$' --timeout 900)
fi

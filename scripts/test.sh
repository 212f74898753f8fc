#!/usr/bin/env bash
# Sets up, builds and runs every test suite (headless: Qt's offscreen platform), then runs them
# again in a build with AddressSanitizer and UndefinedBehaviorSanitizer (the seeded fuzz suite
# alone on fewer than four cores, and its open-command and settings runs longer), then checks
# that the program builds outside the source tree, installs and starts as installed.
set -euo pipefail
cd "$(dirname "$0")/.."
# CI refuses any warning in the project's own sources; a user's build only shows them.
if [ -n "${CI:-}" ]; then
  bash scripts/build.sh -DZELK_WERROR=ON
else
  bash scripts/build.sh
fi
export QT_QPA_PLATFORM=offscreen
ROOT="$(pwd)"
export CCACHE_BASEDIR="$ROOT"
(cd "${ZELK_BUILD_DIR:-build}" && ctest --output-on-failure --parallel "$(nproc)" --timeout 900)

# The built program once as a person meets it, on a virtual X display with real X input.
python3 tests/smoke/x_smoke.py "${ZELK_BUILD_DIR:-build}/zelk" "$(mktemp -d)"

if [ -d tests/fuzz ] && [ -z "${ZELK_SKIP_SANITIZERS:-}" ]; then
  SAN_DIR="${ZELK_SANITIZE_BUILD_DIR:-build-asan}"
  cmake -S . -B "$SAN_DIR" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DZELK_SANITIZE=ON >/dev/null
  # Leaks are not the question here; the window system's libraries keep caches at exit.
  sanitized() {
    (cd "$SAN_DIR" && ASAN_OPTIONS=detect_leaks=0:abort_on_error=1 \
       UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 "$@")
  }
  if [ "$(nproc)" -ge 4 ]; then
    # Every suite once more under the sanitizers, the window tests included.
    cmake --build "$SAN_DIR" --parallel "$(nproc)"
    sanitized ctest --output-on-failure --parallel "$(nproc)" --timeout 900
  else
    cmake --build "$SAN_DIR" --parallel "$(nproc)" --target test_fuzz
    sanitized ctest --output-on-failure -R '^fuzz$' --timeout 900
  fi
  # Drawings opened through the open command and settings archives read at start, for longer:
  # at its own length the open command's run misses damage that only a window shows (with its
  # seed, a font height whose tenths overflow comes in round 1,325 of 1,800).
  sanitized env ZELK_FUZZ_ROUNDS_FACTOR=15 ./tests/test_fuzz --gtest_brief=1 \
    --gtest_filter='OpenCommandFuzz.*:SettingsFuzz.*'
fi

# The installed program. The build folder outside the source tree keeps one place per checkout,
# so that later runs build only what changed.
OUTSIDE_DIR="${ZELK_OUTSIDE_BUILD_DIR:-${TMPDIR:-/tmp}/zelk-outside-build-$(printf %s "$ROOT" | md5sum | cut -c1-12)}"
cmake -S . -B "$OUTSIDE_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELK_TESTS=OFF >/dev/null
cmake --build "$OUTSIDE_DIR" --parallel "$(nproc)" --target zelk
CHECK="$(mktemp -d)"
trap 'rm -rf "$CHECK"' EXIT
cmake --install "$OUTSIDE_DIR" --prefix "$CHECK/prefix" >/dev/null
USER_DIR="$CHECK/data/zelk"
fail() { echo "installed program: $*" >&2; exit 1; }
start_installed() {
  env -u ZELK_HOME -u ZELK_RESOURCES -u LD_LIBRARY_PATH HOME="$CHECK/home" XDG_DATA_HOME="$CHECK/data" \
    ZELK_QUIT_AT_START=1 timeout 60 "$CHECK/prefix/bin/zelk" >"$CHECK/output" 2>&1 \
    || { cat "$CHECK/output" >&2; fail "start $1 did not end with 0"; }
  # The main window writes its placement when it closes: it was made, with the bars and menus
  # of the resource scripts.
  grep -q '^WindowPos=' "$USER_DIR/Zelk.ini" 2>/dev/null || fail "start $1 made no main window"
  for f in ZelkR009.acv ZelkUnit.txt Variable.txt ZelSheet.txt ZelkApp/ZelkApp.txt; do
    [ -f "$USER_DIR/$f" ] || fail "start $1 left no $f in $USER_DIR"
  done
}
start_installed 1
# The program's build brings its sample plug-in, and so does its install.
[ -f "$OUTSIDE_DIR/ZelkApp/QUIBRA.so" ] || fail "the build of zelk made no sample plug-in"
[ -f "$CHECK/prefix/lib/zelk/ZelkApp/QUIBRA.so" ] || fail "installed no sample plug-in"
# A second run of the build with nothing changed (as a second scripts/run.sh) rebuilds nothing.
cmake -S . -B "$OUTSIDE_DIR" -G Ninja -DCMAKE_BUILD_TYPE=Release -DZELK_TESTS=OFF >/dev/null
SECOND_BUILD="$(cmake --build "$OUTSIDE_DIR" --target zelk)"
case "$SECOND_BUILD" in
  *"no work to do"*) ;;
  *) echo "$SECOND_BUILD" >&2; fail "a configure with nothing changed left work for the build" ;;
esac
[ "$(ls -A "$CHECK/prefix/bin")" = zelk ] || fail "wrote beside the installed program"
printf '// edited between two starts\r\n' >>"$USER_DIR/Variable.txt"
cp "$USER_DIR/Variable.txt" "$CHECK/edited"
rm "$USER_DIR/ZelSheet.txt"
start_installed 2
cmp -s "$USER_DIR/Variable.txt" "$CHECK/edited" || fail "the edited Variable.txt was replaced"
echo "installed program: started twice from $CHECK/prefix, program folder $USER_DIR"

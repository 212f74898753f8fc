#!/usr/bin/env bash
# Installs from Debian what a fresh machine lacks to build, run and test Zelk.
# Quick and silent when everything is already there.
set -euo pipefail

# The build (ccache only speeds it up), the program's fonts, and the tests: GoogleTest, and the two
# independent DXF readers that check what the exporter writes, and the PDF tools that measure what
# printing writes, and the virtual X display, the X input tool and the screenshot tools of the smoke
# test on a real X server. Benchmarks (-DZELK_BENCH=ON) need
# libbenchmark-dev besides.
PACKAGES=(
  g++ cmake ninja-build ccache
  qt6-base-dev libgl-dev qt6-translations-l10n
  fonts-noto-cjk
  libgtest-dev libgmock-dev
  python3 python3-ezdxf libdxflib-dev
  poppler-utils
  xvfb xdotool imagemagick
)

missing=()
for p in "${PACKAGES[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed"; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -gt 0 ]; then
  echo "Installing: ${missing[*]}"
  SUDO=""
  if [ "$(id -u)" -ne 0 ]; then SUDO="sudo"; fi
  $SUDO apt-get update -qq
  DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# The AppStream pictures: the program's main window recording and its datalogger window, drawn
# offscreen against the simulated meter and written as PNGs into res/linux/screenshots (or the
# folder given). KM905_BUILD_DIR names the build tree (default: build).
set -euo pipefail
cd "$(dirname "$0")/.."
out="${1:-res/linux/screenshots}"
build="${KM905_BUILD_DIR:-build}"
[ -f "$build/CMakeCache.txt" ] || cmake --preset default
cmake --build "$build" --target km905_screenshots -j "$(nproc)"
QT_QPA_PLATFORM=offscreen "$build/tests/km905_screenshots" "$out"

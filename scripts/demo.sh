#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed, builds, and runs the program against the simulated meter.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${KM905_SKIP_SETUP:-0}" = 1 ] || scripts/setup-debian.sh
scripts/build.sh default
export KM905_DEV_DIR="${KM905_DEV_DIR:-/tmp/km905-dev}"
mkdir -p "$KM905_DEV_DIR"
build/sim/km905-sim --quiet --scenario sim/scenarios/demo.txt &
sim=$!
trap 'kill $sim 2>/dev/null || true' EXIT
sleep 0.5
if [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ]; then
  build/km905
else
  echo "No display for the program's window: the meter's display follows as text (Ctrl+C ends)."
  build/tools/km905-cli monitor --port 1
fi

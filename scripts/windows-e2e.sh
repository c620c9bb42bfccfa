#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end under Wine: the simulated meter (km905-sim, built for Linux) on a pseudo-terminal
# that the Wine prefix maps to COM5. km905-cli.exe downloads the meter's memory and datalogger
# through the Win32 serial control, and the files must be byte for byte what the Linux
# km905-cli saves from the same meter. Run by scripts/windows.sh after the Windows build.
set -euo pipefail
cd "$(dirname "$0")/.."
export WINEPREFIX="${WINEPREFIX:-$PWD/build-windows/wine}" WINEDEBUG=-all
export WINEDLLOVERRIDES="mscoree,mshtml="

# The Linux side: only the simulator and the command line.
[ -d build ] || cmake --preset default >/dev/null
cmake --build build --target km905-sim km905-cli >/dev/null

work=$(mktemp -d)
sim_pid=
cleanup() {
  if [ -n "$sim_pid" ]; then kill "$sim_pid" 2>/dev/null || true; fi
  rm -f "$WINEPREFIX/dosdevices/com5"
  rm -rf "$work"
}
trap cleanup EXIT

start_sim() {  # a fresh meter for each download, linked as $work/dev/ttyUSB0
  mkdir -p "$work/dev"
  KM905_DEV_DIR="$work/dev" build/sim/km905-sim --quiet \
    --scenario sim/scenarios/demo.txt >"$work/sim.out" &
  sim_pid=$!
  for _ in $(seq 100); do [ -e "$work/dev/ttyUSB0" ] && return 0; sleep 0.05; done
  echo "the simulated meter did not start" >&2
  return 1
}
stop_sim() { kill "$sim_pid"; wait "$sim_pid" 2>/dev/null || true; sim_pid=; }

ln -sfn "$work/dev/ttyUSB0" "$WINEPREFIX/dosdevices/com5"
failed=0
for what in memory logger; do
  mkdir -p "$work/linux-$what" "$work/windows-$what"
  start_sim
  (cd "$work" && KM905_DEV_DIR="$work/dev" HOME="$work" \
    "$OLDPWD/build/tools/km905-cli" download "$what" --port 1 -o "linux-$what" >/dev/null)
  stop_sim
  start_sim
  (cd "$work" && wine "$OLDPWD/build-windows/bin/km905-cli.exe" download "$what" --port 5 \
    -o "windows-$what" >/dev/null)
  stop_sim
  # A memory list is named by the time of its save, so the two are matched by suffix.
  for f in "$work/linux-$what"/*; do
    suffix="${f##*.}"
    if [ "$what" = memory ]; then
      g=$(ls "$work/windows-$what"/*."$suffix")
    else
      g="$work/windows-$what/$(basename "$f")"
    fi
    if cmp -s "$f" "$g"; then
      echo "same: $what $(basename "$f")"
    else
      echo "DIFFERENT: $what $(basename "$f") and $g" >&2
      failed=1
    fi
  done
  n_linux=$(ls "$work/linux-$what" | wc -l)
  n_win=$(ls "$work/windows-$what" | wc -l)
  if [ "$n_linux" -eq 0 ] || [ "$n_linux" != "$n_win" ]; then
    echo "DIFFERENT: $what: $n_linux files on Linux, $n_win under Wine" >&2
    failed=1
  fi
done
[ "$failed" = 0 ] && echo "windows e2e: km905-cli.exe on COM5 saved what the Linux build saves"
exit "$failed"

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# End to end under Wine: the simulated meter (km905-sim, built for Linux) on a pseudo-terminal
# that the Wine prefix maps to COM5, entered in the prefix's serial-device map as the cable's
# "\Device\Silabser0". km905-cli.exe, the program's windows (km905_windows_program_tests.exe)
# and km905.exe itself find and use it through the Win32 serial control; the files saved must
# be byte for byte what the Linux km905-cli saves from the same meter. Run by
# scripts/windows.sh after the Windows build.
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
  wineserver -k >/dev/null 2>&1 || true
  rm -f "$WINEPREFIX/dosdevices/com5"
  rm -rf "$work"
}
trap cleanup EXIT

# A steady 1234 lux on the LCD, and the demonstration's datalogger records with three of its
# memory readings.
{
  printf 'level const 1234\nrange 2\nunit lux\n'
  grep '^memory' sim/scenarios/demo.txt | head -n 3
  grep '^logger' sim/scenarios/demo.txt
} >"$work/meter.txt"

start_sim() {  # a fresh meter for each run, linked as $work/dev/ttyUSB0
  mkdir -p "$work/dev"
  KM905_DEV_DIR="$work/dev" build/sim/km905-sim --scenario "$work/meter.txt" >"$work/sim.out" &
  sim_pid=$!
  for _ in $(seq 100); do [ -e "$work/dev/ttyUSB0" ] && return 0; sleep 0.05; done
  echo "the simulated meter did not start" >&2
  return 1
}
stop_sim() { kill "$sim_pid"; wait "$sim_pid" 2>/dev/null || true; sim_pid=; }

ln -sfn "$work/dev/ttyUSB0" "$WINEPREFIX/dosdevices/com5"
# The map lives only as long as the wineserver: one is kept running until the display changes.
map_com5='wineserver -p >/dev/null 2>&1
  wine reg add "HKLM\HARDWARE\DEVICEMAP\SERIALCOMM" /v "\Device\Silabser0" /t REG_SZ /d COM5 /f \
    >/dev/null'
eval "$map_com5"

failed=0
# same WHAT LINUX-FOLDER WINDOWS-FOLDER: every file of the Linux save has its twin. A memory
# list is named by the time of its save, so the lists are matched by their suffix.
same() {
  local what=$1 linux=$2 windows=$3 f g
  for f in "$linux"/*; do
    if [ "$what" = memory ]; then
      g=$(ls "$windows"/*."${f##*.}" 2>/dev/null | head -n 1)
    else
      g="$windows/$(basename "$f")"
    fi
    if [ -n "$g" ] && cmp -s "$f" "$g"; then
      echo "same: $(basename "$windows") $what $(basename "$f")"
    else
      echo "DIFFERENT: $what $(basename "$f") and ${g:-nothing} ($windows)" >&2
      failed=1
    fi
  done
  local n_linux n_win
  n_linux=$(ls "$linux" | wc -l)
  n_win=$(ls "$windows" 2>/dev/null | wc -l)
  if [ "$n_linux" -eq 0 ] || [ "$n_linux" != "$n_win" ]; then
    echo "DIFFERENT: $what: $n_linux files on Linux, $n_win in $windows" >&2
    failed=1
  fi
}

for what in memory logger; do
  mkdir -p "$work/linux/$what" "$work/cli/$what"
  start_sim
  (cd "$work" && KM905_DEV_DIR="$work/dev" HOME="$work" \
    "$OLDPWD/build/tools/km905-cli" download "$what" --port 1 -o "linux/$what" >/dev/null)
  stop_sim
  start_sim
  (cd "$work" && wine "$OLDPWD/build-windows/bin/km905-cli.exe" download "$what" --port 5 \
    -o "cli/$what" >/dev/null)
  stop_sim
  same "$what" "$work/linux/$what" "$work/cli/$what"
done

# The program's own windows: the port found through the map, the LCD, both downloads, Save.
start_sim
KM905_WIN_E2E_OUT=$(winepath -w "$work/program") \
  wine build-windows/bin/km905_windows_program_tests.exe --gtest_brief=1 || failed=1
stop_sim
for what in memory logger; do same "$what" "$work/linux/$what" "$work/program/$what"; done

# km905.exe itself on a display: it finds COM5, polls the meter, and a close ends the link.
# Wine's desktop keeps the display it started with, so a new wineserver starts on this one.
wineserver -k >/dev/null 2>&1 || true
wineserver -w
start_sim
shot="$PWD/build-windows/km905-wine.png"
# Wine draws the window frames on a desktop of its own, as Windows does.
xvfb-run -a -s "-screen 0 1400x1000x24" bash -c '
  eval "$3"
  wine explorer /desktop=km905,1400x1000 build-windows/bin/km905.exe &
  for _ in $(seq 300); do
    [ "$(grep -c " poll$" "$1")" -ge 5 ] && break
    sleep 0.1
  done
  sleep 1  # the first paint
  if command -v import >/dev/null; then import -window root "$2" 2>/dev/null || true; fi
  # On its own desktop: a close is asked of the windows there.
  wine explorer /desktop=km905 taskkill /im km905.exe >/dev/null 2>&1
  for _ in $(seq 300); do grep -q "key end of link" "$1" && break; sleep 0.1; done
  wineserver -k >/dev/null 2>&1
  wait' _ "$work/sim.out" "$shot" "$map_com5" || true
for _ in $(seq 100); do grep -q "key end of link" "$work/sim.out" && break; sleep 0.1; done
polls=$(grep -c " poll$" "$work/sim.out" || true)
if [ "$polls" -ge 5 ] && grep -q "key end of link" "$work/sim.out"; then
  echo "km905.exe: found COM5 by itself, $polls polls answered, the link ended on close"
else
  echo "km905.exe: $polls polls answered; end of link: $(grep -c 'key end of link' "$work/sim.out")" >&2
  failed=1
fi
stop_sim

[ "$failed" = 0 ] && echo "windows e2e: km905-cli.exe and km905 on COM5 saved what the Linux build saves"
exit "$failed"

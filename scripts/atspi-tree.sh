#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Counts what a screen reader sees of the main window: runs the program against the simulated
# meter under Xvfb with accessibility on, and walks its AT-SPI tree (scripts/atspi-tree.py).
# With --quit-with-help it then opens the help window and checks that SIGTERM still ends the
# program; with --ctrl-q-with-help, that Ctrl+Q typed into the help window ends it. Needs at-spi2-core, python3-pyatspi (gir1.2-atspi-2.0), dbus and xvfb; the
# system Python runs the walk, since Debian installs its GObject bindings there.
#
#   scripts/atspi-tree.sh [BUILD_DIR] [--list] [--quit-with-help | --ctrl-q-with-help]
set -euo pipefail
here="$(cd "$(dirname "$0")" && pwd)"
build="$(cd "${1:-build}" && pwd)"
shift || true
list="" quit=0 how=TERM
for a in "$@"; do
  case "$a" in
    --list) list=--list ;;
    --quit-with-help) quit=1 ;;
    --ctrl-q-with-help) quit=1 how=ctrl-q ;;
    *) echo "unknown option $a" >&2; exit 2 ;;
  esac
done
work="$(mktemp -d)"
trap 'kill "$sim" 2>/dev/null || true; rm -rf "$work"' EXIT
export KM905_DEV_DIR="$work/dev" HOME="$work/home"  # the program's settings stay out of yours
mkdir -p "$KM905_DEV_DIR" "$HOME"
"$build/sim/km905-sim" --quiet --scenario "$here/../sim/scenarios/demo.txt" &
sim=$!
sleep 0.5
export QT_LINUX_ACCESSIBILITY_ALWAYS_ON=1 KM905_BIN="$build/km905" HERE="$here" LIST="$list" \
  QUIT="$quit" HOW="$how"
dbus-run-session -- xvfb-run -a -s "-screen 0 1600x1000x24" bash -c '
  "$KM905_BIN" & app=$!
  if [ "$QUIT" = 1 ]; then
    if [ "$HOW" = ctrl-q ]; then
      /usr/bin/python3 "$HERE/atspi-tree.py" $LIST --open-help --ctrl-q
    else
      /usr/bin/python3 "$HERE/atspi-tree.py" $LIST --open-help
      kill -TERM "$app"
    fi
    for _ in $(seq 50); do kill -0 "$app" 2>/dev/null || break; sleep 0.2; done
    if kill -0 "$app" 2>/dev/null; then
      echo "km905 still runs 10 s after $HOW with the help window open"
      kill -KILL "$app"; exit 1
    fi
    echo "km905 ended on $HOW with the help window open"
  else
    /usr/bin/python3 "$HERE/atspi-tree.py" $LIST
    kill -TERM "$app"; wait "$app" || true
  fi'

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Configures and builds a preset (default: "default").
set -euo pipefail
cd "$(dirname "$0")/.."
preset="${1:-default}"
# ccache, when there, keeps a second build of the same sources (CI's fresh clone) short;
# paths under the checkout count as relative, so any clone's folder hits.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
# CI builds with KM905_WERROR=1: a new warning fails it.
werror=()
if [ "${KM905_WERROR:-0}" = 1 ]; then werror=(-DKM905_WERROR=ON); fi
cmake --preset "$preset" "${launcher[@]}" "${werror[@]}"
cmake --build --preset "$preset" -j "$(nproc)"

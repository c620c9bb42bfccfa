#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Installs what is needed, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${KM905_SKIP_SETUP:-0}" = 1 ] || scripts/setup-debian.sh
scripts/build.sh default
ctest --preset default -j 2

#!/usr/bin/env bash
# Installs what is needed, builds and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
[ "${KM905_SKIP_SETUP:-0}" = 1 ] || scripts/setup-debian.sh
scripts/build.sh default
ctest --preset default -j 2

#!/usr/bin/env bash
# SPDX-License-Identifier: GPL-3.0-or-later
# Sanitizer build with its tests, and each fuzzer for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh asan
ctest --preset asan -j 2

# Every fuzz target (listed by the build in fuzzers.txt) runs from its seeds in a scratch
# corpus, so the repository is left as it was; crash inputs are kept in build-fuzz/artifacts.
# tests/fuzz/NAME.options, when there, holds a target's own libFuzzer flags on one line.
launcher=()
if command -v ccache >/dev/null; then
  export CCACHE_BASEDIR="$PWD" CCACHE_NOHASHDIR=1
  launcher=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache -DCMAKE_C_COMPILER_LAUNCHER=ccache)
fi
cmake --preset fuzz "${launcher[@]}"
cmake --build --preset fuzz -j "$(nproc)" --target km905_fuzzers
secs="${KM905_FUZZ_SECONDS:-40}"  # ten targets: under seven minutes in all
artifacts="$PWD/build-fuzz/artifacts"
mkdir -p "$artifacts"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
failed=()
while read -r name exe; do
  [ -n "$name" ] || continue
  corpus="$work/$name"
  mkdir -p "$corpus"
  seeds="tests/fuzz/corpus/${name%_fuzz}"
  if [ -d "$seeds" ]; then cp -R "$seeds"/. "$corpus"/; fi
  flags=()
  options="tests/fuzz/${name%_fuzz}.options"
  if [ -f "$options" ]; then read -r -a flags <"$options"; fi
  log="$work/$name.log"
  echo "fuzzing $name for ${secs}s"
  rc=0
  "$exe" -max_total_time="$secs" -print_final_stats=1 -artifact_prefix="$artifacts/$name-" \
    "${flags[@]}" "$corpus" >"$log" 2>&1 || rc=$?
  execs=$(sed -n 's/^stat::number_of_executed_units: *//p' "$log" | tail -n 1)
  echo "$name: ${execs:-unknown} executions"
  if [ "$rc" -ne 0 ]; then
    echo "$name FAILED (exit $rc); the end of its log:"
    tail -n 60 "$log"
    failed+=("$name")
  fi
done <build-fuzz/tests/fuzz/fuzzers.txt
if [ "${#failed[@]}" -ne 0 ]; then
  echo "fuzz targets that failed: ${failed[*]}"
  exit 1
fi

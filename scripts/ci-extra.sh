#!/usr/bin/env bash
# Sanitizer build with its tests, and each fuzzer for a bounded time.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/build.sh asan
ctest --preset asan -j 2
cmake --preset fuzz
cmake --build --preset fuzz -j "$(nproc)" --target decoder_fuzz file_reader_fuzz
secs="${KM905_FUZZ_SECONDS:-60}"
for f in build-fuzz/tests/fuzz/*_fuzz; do
  name=$(basename "$f")
  corpus=$(mktemp -d)
  seeds="tests/fuzz/corpus/${name%_fuzz}"
  [ -d "$seeds" ] && cp "$seeds"/* "$corpus"/ 2>/dev/null || true
  echo "fuzzing $name for ${secs}s"
  "$f" -max_total_time="$secs" -print_final_stats=1 "$corpus" 2>&1 | tail -3
done

#!/usr/bin/env bash
# Builds everything and runs all the tests: the optimised build, the sanitizer build, then the fuzzer.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
export QT_QPA_PLATFORM=offscreen
for preset in release sanitize; do
  cmake --preset "$preset" >/dev/null
  cmake --build --preset "$preset"
  ctest --preset "$preset"
done
cmake --preset fuzz >/dev/null
cmake --build --preset fuzz
corpus=$(mktemp -d)
cp fuzz/corpus/* "$corpus"/
./build/fuzz/fuzz/text_fuzzer -max_total_time="${FUZZ_SECONDS:-60}" -print_final_stats=1 "$corpus"
rm -rf "$corpus"
echo "All tests passed."

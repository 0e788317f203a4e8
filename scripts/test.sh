#!/usr/bin/env bash
# Builds everything and runs all the tests: the optimised build (with the .deb's checks and the
# desktop checks), the sanitizer build, and the fuzzer beside them; ends with one summary whose
# last line reads "N passed, N failed".
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

logs=build/test-logs
rm -rf "$logs"
mkdir -p "$logs"
# Qt wants a private runtime directory (mode 0700, as mktemp makes it); one per run, not shared.
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR QT_QPA_PLATFORM=offscreen
fuzz_pid=
sanitize_build_pid=
cleanup() {
  [[ -n "$fuzz_pid" ]] && kill "$fuzz_pid" 2>/dev/null
  [[ -n "$sanitize_build_pid" ]] && kill "$sanitize_build_pid" 2>/dev/null
  rm -rf "$XDG_RUNTIME_DIR"
}
trap cleanup EXIT
jobs=$(nproc)
summary=()
failures=()
passed=0
failed=0

# Runs a quiet step into its log; on failure shows the log and stops.
quietly() {
  local log=$1
  shift
  if ! "$@" >"$log" 2>&1; then
    cat "$log"
    echo "FAILED: $* (log: $log)"
    exit 1
  fi
}

# Shows each build step whose compiler output holds a warning, whole, with the step's name.
show_warnings() {
  awk '/^\[[0-9]+\/[0-9]+\] /{ if (warned) printf "%s", step; step = ""; warned = 0 }
       { step = step $0 "\n"; if (/warning:/) warned = 1 }
       END { if (warned) printf "%s", step }' "$1"
}

build() {
  local preset=$1 start=$SECONDS
  quietly "$logs/configure-$preset.log" cmake --preset "$preset"
  quietly "$logs/build-$preset.log" cmake --build --preset "$preset"
  show_warnings "$logs/build-$preset.log"
  echo "Built $preset in $((SECONDS - start)) s"
}

# libFuzzer's progress (#<runs> NEW/REDUCE/pulse ..., newly covered functions, the dictionary it
# recommends) stays out; a crash report and the final statistics stay in, and the input that
# crashed lands beside the log rather than in the working tree.
fuzz() {
  local corpus rc=0
  corpus=$(mktemp -d)
  cp fuzz/corpus/* "$corpus"/
  ./build/fuzz/fuzz/text_fuzzer -max_total_time="${FUZZ_SECONDS:-60}" -print_final_stats=1 -print_funcs=0 \
    -artifact_prefix="$logs/" "$corpus" 2>&1 \
    | sed -e '/^#[0-9]\+[[:space:]]/d' -e '/^###### Recommended dictionary/,/^###### End of recommended/d' \
    >"$logs/fuzz.log" || rc=$?
  rm -rf "$corpus"
  return "$rc"
}

run_ctest() {
  local preset=$1 start=$SECONDS log=$logs/ctest-$1.log
  echo "== ctest $preset"
  ctest --preset "$preset" -j"$jobs" 2>&1 | tee "$log" || true
  local total failing
  total=$(sed -n 's/.*tests failed out of \([0-9]*\)/\1/p' "$log")
  failing=$(sed -n 's/.* \([0-9]*\) tests failed out of.*/\1/p' "$log")
  if [[ -z "$total" ]]; then
    total=1 failing=1
    failures+=("$preset: ctest did not finish")
  fi
  passed=$((passed + total - failing))
  failed=$((failed + failing))
  summary+=("$(printf '%-9s %4d tests  %4d passed  %4d failed  (%d s)' \
                "$preset" "$total" $((total - failing)) "$failing" $((SECONDS - start)))")
  while read -r test; do failures+=("$preset: $test"); done \
    < <(sed -n '/The following tests FAILED:/,$s/^[[:space:]]*[0-9]* - \(.*\)$/\1/p' "$log")
}

# The fuzzer runs beside the release build: one core each.
build fuzz
fuzz &
fuzz_pid=$!
build release
# The sanitizer build runs beside the release tests, most of which wait on windows and a screen
# reader; it yields the processor to them.
(renice -n 10 -p "$BASHPID" >/dev/null || true; build sanitize) >"$logs/sanitize-build.out" 2>&1 &
sanitize_build_pid=$!
run_ctest release
sanitize_built=0
wait "$sanitize_build_pid" || sanitize_built=$?
sanitize_build_pid=
cat "$logs/sanitize-build.out"
((sanitize_built == 0)) || exit 1
run_ctest sanitize

echo "== fuzz"
if wait "$fuzz_pid"; then fuzz_verdict=passed; passed=$((passed + 1)); else
  fuzz_verdict=FAILED; failed=$((failed + 1)); failures+=("fuzz: text_fuzzer (log: $logs/fuzz.log)")
fi
fuzz_pid=
cat "$logs/fuzz.log"
summary+=("$(printf '%-9s %4d run    %s  (%s)' fuzz 1 "$fuzz_verdict" "$(grep -m1 '^Done' "$logs/fuzz.log")")")

echo
echo "== Summary (logs in $logs)"
printf '%s\n' "${summary[@]}"
if ((failed)); then
  echo
  echo "!!!!!!!! FAILED !!!!!!!!"
  printf '  %s\n' "${failures[@]}"
  echo
fi
echo "$passed passed, $failed failed"
((failed == 0))

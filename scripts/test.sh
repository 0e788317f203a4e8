#!/usr/bin/env bash
# Builds everything and runs all the tests: the optimised build (with the .deb's checks and the
# desktop checks), the sanitizer build, and the fuzzer beside them. Ends with one summary whose
# last line reads "N passed, N failed", on every exit: after a failed build or Ctrl+C too.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh

logs=build/test-logs
rm -rf "$logs"
mkdir -p "$logs"
# Qt wants a private runtime directory (mode 0700, as mktemp makes it); one per run, not shared.
XDG_RUNTIME_DIR=$(mktemp -d)
export XDG_RUNTIME_DIR QT_QPA_PLATFORM=offscreen
started=$SECONDS
jobs=$(nproc)
presets=(format release sanitize fuzz)
declare -A row=()
failures=()
skips=()
passed=0
failed=0
groups=()

# in_background COMMAND...: runs COMMAND beside this script in a process group of its own, so that
# stopping it stops everything it started (compilers, the fuzzer); its group id is $!.
in_background() {
  set -m
  "$@" </dev/null &
  set +m
  groups+=($!)
}

stop_background() {
  local group
  for group in "${groups[@]}"; do kill -- -"$group" 2>/dev/null || true; done
  groups=()
}

summary() {
  local preset
  echo
  echo "== Summary (logs in $logs, $((SECONDS - started)) s)"
  for preset in "${presets[@]}"; do printf '%s\n' "${row[$preset]:-$(printf '%-9s not run' "$preset")}"; done
  if ((${#skips[@]})); then
    echo
    echo "SKIPPED"
    printf '  %s\n' "${skips[@]}"
  fi
  if ((failed)); then
    echo
    echo "!!!!!!!! FAILED !!!!!!!!"
    printf '  %s\n' "${failures[@]}"
    echo
  fi
  echo "$passed passed, $failed failed"
}

fail() {
  failures+=("$1")
  failed=$((failed + 1))
}

finish() {
  local status=$?
  trap - EXIT INT TERM
  stop_background
  rm -rf "$XDG_RUNTIME_DIR"
  summary
  ((status)) || ((failed == 0)) || status=1
  exit "$status"
}
trap finish EXIT
trap 'fail "interrupted"; exit 130' INT TERM

# Shows each build step whose compiler output holds a warning, whole, with the step's name.
show_warnings() {
  awk '/^\[[0-9]+\/[0-9]+ [0-9.]+s\] /{ if (warned) printf "%s", step; step = ""; warned = 0 }
       { step = step $0 "\n"; if (/warning:/) warned = 1 }
       END { if (warned) printf "%s", step }' "$1"
}

# progress PRESET [quiet]: ninja's status lines from the build output, as they come (mawk, Debian's
# default awk, would hold them back in its input buffer).
progress() {
  local line
  while IFS= read -r line; do
    [[ -z "${2:-}" && "$line" == \[[0-9]* ]] && echo "  $1 $line"
  done
  return 0
}

# build PRESET [quiet]: configures and builds; shows ninja's line for each step it finishes, with the
# seconds since the build began, unless quiet. A failed build shows its errors and ends the run.
build() {
  local preset=$1 quiet=${2:-} start=$SECONDS log=$logs/build-$1.log status=0
  if ! cmake --preset "$preset" >"$logs/configure-$preset.log" 2>&1; then
    cat "$logs/configure-$preset.log"
    row[$preset]=$(printf '%-9s configure FAILED (log: %s)' "$preset" "$logs/configure-$preset.log")
    fail "$preset: configure"
    exit 1
  fi
  NINJA_STATUS='[%f/%t %es] ' cmake --build --preset "$preset" 2>&1 | tee "$log" | progress "$preset" "$quiet" ||
    status=$?
  if ((status)); then
    sed -n '/^FAILED: /,$p' "$log" | grep . || tail -n 40 "$log"
    row[$preset]=$(printf '%-9s build FAILED (log: %s)' "$preset" "$log")
    fail "$preset: build"
    exit 1
  fi
  show_warnings "$log"
  echo "Built $preset in $((SECONDS - start)) s"
}

# libFuzzer's progress (#<runs> NEW/REDUCE/pulse ..., newly covered functions, the dictionary it
# recommends) stays out; a crash report and the final statistics stay in, and the input that
# crashed lands beside the log rather than in the working tree.
# run_fuzzer NAME CORPUS SECONDS [OPTION...]
run_fuzzer() {
  local name=$1 seed=$2 seconds=$3 corpus rc=0
  shift 3
  corpus=$(mktemp -d)
  cp "$seed"/* "$corpus"/
  ./build/fuzz/fuzz/"$name" -max_total_time="$seconds" -print_final_stats=1 -print_funcs=0 \
    -artifact_prefix="$logs/$name-" "$@" "$corpus" 2>&1 \
    | sed -e '/^#[0-9]\+[[:space:]]/d' -e '/^###### Recommended dictionary/,/^###### End of recommended/d' \
    >>"$logs/fuzz.log" || rc=$?
  rm -rf "$corpus"
  return "$rc"
}

# The text readers and key rules, then the plan reader with the plan file's words for its
# mutations, sharing FUZZ_SECONDS.
fuzz() {
  local seconds=${FUZZ_SECONDS:-60} rc=0
  run_fuzzer text_fuzzer fuzz/corpus $((seconds - seconds / 2)) || rc=$?
  run_fuzzer plan_fuzzer fuzz/plan-corpus $((seconds / 2)) -dict=fuzz/plan.dict || rc=$?
  return "$rc"
}

# Prints "TOTAL FAILED SKIPPED", then each failed test's name, then each skipped test's name with
# the reason its output gives ("SKIPPED ...: reason"), from ctest's JUnit report.
read_junit() {
  python3 - "$1" <<'EOF'
import re
import sys
import xml.etree.ElementTree as ElementTree
failed, skipped, total = [], [], 0
for case in ElementTree.parse(sys.argv[1]).getroot().iter("testcase"):
    status = case.get("status")
    if status == "disabled":
        continue
    total += 1
    skip = case.find("skipped")
    if status == "notrun" and skip is not None and skip.get("message", "").startswith("SKIP_"):
        reason = re.search(r"SKIPPED [^:]*: (.*)", case.findtext("system-out") or "")
        skipped.append(f"{case.get('name')}: {reason.group(1) if reason else 'skipped'}")
    elif status != "run":
        failed.append(case.get("name"))
print(total, len(failed), len(skipped))
for name in failed + skipped:
    print(name)
EOF
}

run_ctest() {
  local preset=$1 start=$SECONDS junit=$PWD/$logs/junit-$1.xml report total failing skipped test
  echo "== ctest $preset"
  ctest --preset "$preset" -j"$jobs" --output-junit "$junit" 2>&1 | tee "$logs/ctest-$preset.log" || true
  if ! report=$(read_junit "$junit" 2>&1); then
    row[$preset]=$(printf '%-9s ctest did not finish (log: %s)' "$preset" "$logs/ctest-$preset.log")
    fail "$preset: ctest did not finish"
    return
  fi
  {
    read -r total failing skipped
    for ((i = 0; i < failing; i++)); do read -r test && failures+=("$preset: $test"); done
    for ((i = 0; i < skipped; i++)); do read -r test && skips+=("$preset: $test"); done
  } <<<"$report"
  passed=$((passed + total - failing - skipped))
  failed=$((failed + failing))
  row[$preset]=$(printf '%-9s %4d tests  %4d passed  %4d failed  %4d skipped  (%d s)' \
                   "$preset" "$total" $((total - failing - skipped)) "$failing" "$skipped" $((SECONDS - start)))
}

# The sources as .clang-format lays them out: a file it would change fails the run, its first
# differences shown.
check_format() {
  local report files
  echo "== format"
  if report=$(git ls-files -z -- '*.cpp' '*.h' | xargs -0 clang-format --dry-run --Werror 2>&1); then
    row[format]=$(printf '%-9s %4d files passed' format "$(git ls-files -- '*.cpp' '*.h' | wc -l)")
    passed=$((passed + 1))
    return
  fi
  head -n 30 <<<"$report"
  files=$(grep -o '^[^:]*:[0-9]*:[0-9]*: error' <<<"$report" | cut -d: -f1 | sort -u)
  row[format]=$(printf '%-9s %4d files FAILED (clang-format -i FILE... lays them out)' format "$(wc -l <<<"$files")")
  while read -r file; do fail "format: $file"; done <<<"$files"
}

check_format
# The fuzzer runs beside the release build: one core each.
build fuzz
in_background fuzz
fuzz_group=$!
build release
# The sanitizer build runs beside the release tests, most of which wait on windows and a screen
# reader; it yields the processor to them.
build_sanitize() {
  renice -n 10 -p "$BASHPID" >/dev/null || true
  build sanitize quiet >"$logs/sanitize-build.out" 2>&1
}
in_background build_sanitize
sanitize_group=$!
run_ctest release
sanitize_built=0
wait "$sanitize_group" || sanitize_built=$?
cat "$logs/sanitize-build.out"
((sanitize_built == 0)) || { row[sanitize]=$(printf '%-9s build FAILED (log: %s)' sanitize "$logs/build-sanitize.log");
                             fail "sanitize: build"; exit 1; }
run_ctest sanitize

echo "== fuzz"
if wait "$fuzz_group"; then fuzz_verdict=passed; passed=$((passed + 1)); else
  fuzz_verdict=FAILED; fail "fuzz: text_fuzzer and plan_fuzzer (log: $logs/fuzz.log)"
fi
cat "$logs/fuzz.log"
row[fuzz]=$(printf '%-9s %4d run    %s  (%s)' fuzz 2 "$fuzz_verdict" "$(grep '^Done' "$logs/fuzz.log" | paste -sd ';' || true)")

#!/usr/bin/env bash
# The core's tests and the widget tests once more in each of several users' locales: decimal-comma
# ones (German, French, Turkish, Russian) and others that group or write differently (Egyptian
# Arabic, Hindi). The locales are made into a temporary folder with localedef and reached through
# LOCPATH; nothing is installed on the machine. Every figure must read as in the C locale, which
# the tests' own expectations state.
# Usage: locale-matrix.sh CORE_TESTS UI_TESTS
set -euo pipefail
(($# == 2)) || { echo "usage: $0 CORE_TESTS UI_TESTS" >&2; exit 2; }
core_tests=$1
ui_tests=$2
locales=(de_DE fr_FR tr_TR ru_RU ar_EG hi_IN)

LOCPATH=$(mktemp -d)
trap 'rm -rf "$LOCPATH"' EXIT
# The plan round trip's few hundred plans once in the test command are enough; here, a few.
export LOCPATH QT_QPA_PLATFORM=offscreen PENMARROW_PLAN_ROUNDS=20
export LSAN_OPTIONS="suppressions=$(realpath "$(dirname "$0")")/locpath-leak.supp${LSAN_OPTIONS:+:$LSAN_OPTIONS}"
failed=()
for locale in "${locales[@]}"; do
  name=$locale.UTF-8
  # localedef warns about some of glibc's own sources and exits 1 for that alone; the run below
  # checks that the locale took.
  localedef -i "$locale" -f UTF-8 "$LOCPATH/$name" >/dev/null 2>&1 || [[ -d "$LOCPATH/$name" ]] ||
    { echo "localedef could not make $name" >&2; exit 1; }
  for tests in "$core_tests" "$ui_tests"; do
    echo "== $name: $(basename "$tests")"
    if ! env -u LANGUAGE LANG="$name" LC_ALL="$name" PENMARROW_EXPECTED_LOCALE="$name" \
        "$tests" --gtest_brief=1; then
      failed+=("$name: $(basename "$tests")")
    fi
  done
done
if ((${#failed[@]})); then
  printf 'FAILED in %s\n' "${failed[@]}"
  exit 1
fi
echo "every test passed in ${#locales[@]} locales: ${locales[*]}"

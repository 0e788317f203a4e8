#!/usr/bin/env bash
# A blind saver's walk through the window with the Orca screen reader: start, type an accepted and
# a refused digit, Tab through every control, read cells of the chart's table and meet the overflow
# box. Checks what Orca said at each step; the transcript is kept in the artifacts folder.
# Usage: orca_walk.sh PROGRAM ORCA_SESSION ARTIFACTS
set -uo pipefail
program=$1 tool=$2 artifacts=$3
if [[ ! -x $tool ]]; then
  echo "orca-session not found at $tool (set PENMARROW_ORCA_SESSION)" >&2
  exit 1
fi
export LANG=C.UTF-8 ORCA_SESSION_WAIT=1.5
mkdir -p "$artifacts"
transcript=$artifacts/transcript.txt
failures=0

display=$("$tool" start -- "$program") || { echo "orca-session could not start" >&2; exit 1; }
export ORCA_SESSION_DISPLAY=${display#:}
finish() {
  "$tool" transcript >"$transcript" 2>&1
  "$tool" stop >/dev/null 2>&1
}
trap finish EXIT

# step LABEL XDOTOOL-ARGS...: presses the keys; the program must live through them.
step() {
  local label=$1
  shift
  "$tool" step "$label" -- "$@" >/dev/null
  local status=$?
  if ((status != 0)); then
    echo "FAIL: the step '$label' ended with status $status (3: the program died)"
    failures=$((failures + 1))
  fi
}

# spoken LABEL: what Orca said during the step LABEL.
spoken() {
  "$tool" transcript | awk -v label="=== $1 (" 'index($0, "=== ") == 1 { inside = index($0, label) == 1; next }
                                               inside'
}

# heard LABEL PATTERN: Orca said something matching PATTERN (grep -E) during the step LABEL.
heard() {
  if ! spoken "$1" | grep -Eq -- "$2"; then
    echo "FAIL: during '$1' Orca did not say /$2/"
    failures=$((failures + 1))
  fi
}

# unheard LABEL PATTERN: Orca said nothing matching PATTERN during the step LABEL.
unheard() {
  if spoken "$1" | grep -Eq -- "$2"; then
    echo "FAIL: during '$1' Orca said /$2/"
    failures=$((failures + 1))
  fi
}

step "End of the initial deposit" key End
step "Type 5" type 5
heard "Type 5" "1,0005\\. Your strategy: initial deposit \\\$10,005, .* total savings \\\$17,555"
step "Type a" type a
heard "Type a" "a not accepted, still \\\$1,0005"
step "BackSpace" key BackSpace
heard "BackSpace" "notification \\\$1,000\\. Your strategy: initial deposit \\\$1,000"
unheard "BackSpace" "1,0005"
step "Type 5 again" type 5
step "Home" key Home
heard "Home" "dollar|\\\$"
step "Tab to the regular deposit" key Tab
heard "Tab to the regular deposit" "Regular deposit"
heard "Tab to the regular deposit" "\\\$100"
step "Tab to the deposit frequency" key Tab
heard "Tab to the deposit frequency" "Deposit frequency: Annually combo box"
step "Down in the deposit frequency" key Down
heard "Down in the deposit frequency" "Quarterly\\. Your strategy: .* total savings \\\$21,328"
step "Tab to the compound frequency" key Tab
heard "Tab to the compound frequency" "Compound frequency"
step "Tab to the rate" key Tab
heard "Tab to the rate" "Interest Rate, in percent"
heard "Tab to the rate" "5\\.00"
step "Tab to the years" key Tab
heard "Tab to the years" "Number of years \\(max 50\\): 10 spin button"
step "Up in the years" key Up
heard "Up in the years" "11"
step "Up in the years again" key Up
heard "Up in the years again" "12"
step "Tab to the chart" key Tab
heard "Tab to the chart" "Savings by year"
heard "Tab to the chart" "table with 12 rows 5 columns"
step "Down in the table" key Down
heard "Down in the table" "^  SAY '1\\.'"
heard "Down in the table" "10,005"
step "Right in the table" key Right
heard "Right in the table" "Your strategy, initial deposit column header \\\$10,005"
step "Down four years" key --delay 300 Down Down Down Down
heard "Down four years" "^  SAY '5\\.'"
step "End of the row" key End
heard "End of the row" "Your strategy, total savings column header \\\$14,979"
step "Where am I in the table" key KP_Enter
heard "Where am I in the table" "Your strategy, total savings"
heard "Where am I in the table" "column 5 of 5 row 5 of 12"
step "Tab to the alternative" key Tab
heard "Tab to the alternative" "Alternative strategy"
step "Check the alternative" key space
heard "Check the alternative" "checked"
step "Tab to the alternative deposit" key Tab
heard "Tab to the alternative deposit" "Change regular deposit"
heard "Tab to the alternative deposit" "\\\$75"
step "Tab to the alternative frequency" key Tab
heard "Tab to the alternative frequency" "Change compound frequency"
heard "Tab to the alternative frequency" "Annually"
step "Tab to the start" key Tab
heard "Tab to the start" "Start later: 0 years slider"
step "Right on the start" key Right
heard "Right on the start" "1 years\\. Your strategy: .*\\. Alternative strategy: .* total savings"

# The overflow: the largest amounts at the highest rate over fifty years.
step "Tab to the initial deposit" key Tab
step "Type 999999" type 999999
step "Tab and type 999999" key Tab type 999999
step "Tab to the rate and type 99.99" key --delay 300 Tab Tab Tab type 99.99
step "Tab to the years and type 50" key Tab type --delay 300 50
heard "Tab to the years and type 50" "Invalid floating point operation"
step "Close the box" key Return
step "Where am I" key KP_Enter
heard "Where am I" "Number of years"

if ((failures)); then
  echo "$failures checks failed; transcript: $transcript"
  "$tool" transcript
  exit 1
fi
echo "The walk passed; transcript: $transcript"

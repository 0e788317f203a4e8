#!/usr/bin/env bash
# A blind saver's walk through the window with the Orca screen reader, by the keyboard alone: set up
# both strategies, meet the continuous-compounding notice and a compound frequency the program
# picks, hear the totals, explore the year table, copy the figures and the chart, save and open the
# plan and meet a refused one, cause and clear the overflow box, follow the link and review the
# screen. Checks what Orca said at each step; the transcript is kept in the artifacts folder. Orca 43
# and Orca 48 word some things differently ("spin button 10", "notification" on its own, a table's
# row as several utterances): the checks accept both.
# Usage: orca_walk.sh PROGRAM ORCA_SESSION ARTIFACTS
set -uo pipefail
program=$1 tool=$2 artifacts=$3
if [[ ! -x $tool ]]; then
  echo "orca-session not found at $tool (set PENMARROW_ORCA_SESSION)" >&2
  exit 1
fi
export LANG=C.UTF-8 ORCA_SESSION_WAIT=1.5
orca_version=$(orca --version 2>/dev/null | grep -Eo '[0-9]+' | head -n 1)
orca_version=${orca_version:-0}
mkdir -p "$artifacts/bin"
transcript=$artifacts/transcript.txt
failures=0

# The link opens in whatever xdg-open is found first: here, one that notes what it was asked to open.
opened=$artifacts/opened.txt
rm -f "$opened"
printf '#!/bin/sh\necho "$@" >>"%s"\n' "$opened" >"$artifacts/bin/xdg-open"
chmod +x "$artifacts/bin/xdg-open"
export PATH="$artifacts/bin:$PATH"

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

# spoken LABEL: what Orca said during the step LABEL, one line, so that a pattern may span what
# Orca split into several utterances.
spoken() {
  "$tool" transcript | awk -v label="=== $1 (" 'index($0, "=== ") == 1 { inside = index($0, label) == 1; next }
                                               inside { sub(/^  [A-Z+]+ /, ""); printf "%s ", $0 }'
}

# apart LABEL PATTERN1 PATTERN2: no utterance of the step LABEL matches both patterns.
apart() {
  if "$tool" transcript | awk -v label="=== $1 (" 'index($0, "=== ") == 1 { inside = index($0, label) == 1; next }
                                                  inside' | grep -E -- "$2" | grep -Eq -- "$3"; then
    echo "FAIL: during '$1' Orca said /$2/ and /$3/ in one breath"
    failures=$((failures + 1))
  fi
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

# Your strategy: an accepted digit, a refused letter, BackSpace; only the totals that changed.
step "End of the initial deposit" key End
step "Type 5" type 5
heard "Type 5" "1,0005\\. Your strategy: initial deposit \\\$10,005, total interest \\\$6,550, total savings \\\$17,555"
unheard "Type 5" "regular deposits"
step "Type a" type a
heard "Type a" "letter a not accepted, still \\\$1,0005"
step "BackSpace" key BackSpace
heard "BackSpace" "\\\$1,000\\. Your strategy: initial deposit \\\$1,000"
unheard "BackSpace" "1,0005"
step "Type 5 again" type 5
step "Home" key Home
heard "Home" "dollar|\\\$"
step "Tab to the regular deposit" key Tab
heard "Tab to the regular deposit" "Regular deposit"
heard "Tab to the regular deposit" "\\\$100"
unheard "Tab to the regular deposit" "unselected|100'? '?selected.*100'? '?selected"
step "Tab to the deposit frequency" key Tab
heard "Tab to the deposit frequency" "Deposit frequency: Annually, 1 of 5"
unheard "Tab to the deposit frequency" "unselected"
step "Down in the deposit frequency" key Down
heard "Down in the deposit frequency" "Quarterly, 2 of 5\\. Your strategy: regular deposits \\\$4,000, total interest \\\$7,323, total savings \\\$21,328"

# The continuous-compounding notice, and the deposit back when the mode ends.
step "Tab to the compound frequency" key Tab
heard "Tab to the compound frequency" "Compound frequency: Annually, 1 of 3"
step "End in the compound frequency" key End
heard "End in the compound frequency" "Continuous, 3 of 3\\. No deposits for continuous compounding\\. Use daily compounding for similar results\\. Regular deposit and deposit frequency unavailable"
step "Home in the compound frequency" key Home
heard "Home in the compound frequency" "Annually, 1 of 3\\. Regular deposit back to \\\$100, deposit frequency available"

# A compound frequency no longer offered: the program picks "Continuous".
step "Down in the compound frequency" key Down
heard "Down in the compound frequency" "Quarterly, 2 of 3"
step "Back to the deposit frequency" key shift+Tab
step "Up in the deposit frequency" key Up
heard "Up in the deposit frequency" "Annually, 1 of 5\\. Compound frequency changed to Continuous"
step "Tab and Home in the compound frequency" key --delay 300 Tab Home

# The rate: a lone point, a refused minus.
step "Tab to the rate" key Tab
heard "Tab to the rate" "Interest Rate, in percent"
heard "Tab to the rate" "5\\.00"
step "Type a point" type .
# Orca 48 infers "Text unselected" from its own record of the selection when a key replaces it.
((orca_version < 45)) && unheard "Type a point" "unselected"
heard "Type a point" "point\\. Your strategy: total interest \\\$0"
step "Type a minus" type -
heard "Type a minus" "minus not accepted, still point"
step "Type 5 after the point" type 5
step "Tab to the years" key Tab
heard "Tab to the years" "Number of years \\(max 50\\)"
heard "Tab to the years" "spin button"
step "Up in the years" key Up
heard "Up in the years" "11 years\\. Your strategy: regular deposits"

# The year table: rows with their year and every figure with its column.
step "Tab to the chart" key Tab
heard "Tab to the chart" "Savings by year"
heard "Tab to the chart" "table with 11 rows 5 columns"
step "Down in the table" key Down
heard "Down in the table" "Year 1.*initial deposit \\\$10,005.*total savings \\\$10,"
step "Right in the table" key Right
heard "Right in the table" "Your strategy, initial deposit"
step "Down two years" key --delay 300 Down Down
heard "Down two years" "Year 3.*initial deposit \\\$10,005.*regular deposits \\\$300"
step "Where am I in the table" key KP_Enter
# Orca 48 names a cell's row header only when the row changes; the full row read above has it.
((orca_version < 45)) && heard "Where am I in the table" "Year 3"
heard "Where am I in the table" "column 2 of 5 row 3 of 11"
step "Leave the table and come back" key --delay 300 shift+Tab Tab
heard "Leave the table and come back" "Year 3.*initial deposit \\\$10,005"

# The totals on a key.
step "Ask for the totals" key ctrl+t
heard "Ask for the totals" "After 11 years\\. Your strategy: initial deposit \\\$10,005, regular deposits \\\$1,100, total interest \\\$592, total savings \\\$11,697\\."

# The alternative strategy.
step "Tab to the alternative" key Tab
heard "Tab to the alternative" "Alternative strategy"
step "Check the alternative" key space
heard "Check the alternative" "Alternative strategy inputs available\\. Your strategy: total savings \\\$[0-9,]+\\. Alternative strategy: total savings \\\$[0-9,]+\\. (Your|Alternative) strategy ends \\\$[0-9,]+ higher"
step "Tab to the alternative deposit" key Tab
heard "Tab to the alternative deposit" "Change regular deposit"
heard "Tab to the alternative deposit" "\\\$75"
step "Type 0 at its end" key --delay 300 End type 0
heard "Type 0 at its end" "\\\$750\\. Alternative strategy: regular deposits \\\$8,250"
unheard "Type 0 at its end" "Your strategy:"
step "Tab to the alternative frequency" key Tab
heard "Tab to the alternative frequency" "Change compound frequency: Annually, 1 of 5"
step "Tab to the start" key Tab
heard "Tab to the start" "Start later: 0 years"
step "Right on the start" key --delay 300 Right Right Right
heard "Right on the start" "Start 3 years later\\. Alternative strategy: "
unheard "Right on the start" "Your strategy:"
step "Ask for both totals" key ctrl+t
heard "Ask for both totals" "Your strategy: .*total savings \\\$[0-9,]+\\. Alternative strategy: .*total savings \\\$[0-9,]+\\. (Your|Alternative) strategy ends \\\$[0-9,]+ higher"

# Fewer years than the start: the program pulls the start back.
step "Tab to the years" key --delay 200 Tab Tab Tab Tab Tab Tab
step "Type 2 years" type 2
heard "Type 2 years" "2 years\\. Start pulled back to 1 year later"

# The chart's menu, by the Menu key and by Shift+F10.
step "Tab to the chart again" key Tab
step "Menu key" key Menu
heard "Menu key" "Copy figures.*Menu: Copy figures, Copy chart"
step "Copy the figures" key Return
heard "Copy the figures" "Figures of 2 years copied"
step "Shift+F10" key shift+F10
heard "Shift+F10" "Copy figures.*Menu: Copy figures, Copy chart"
step "Down to Copy chart" key Down
heard "Down to Copy chart" "Copy chart"
step "Copy the chart" key Return
heard "Copy the chart" "Chart copied"

# The plan saved and opened again through the file dialogs, then a plan the program refuses: each
# step told, the refusal's reason read from its box.
plan=$artifacts/walk.penmarrow refused=$artifacts/refused.penmarrow
rm -f "$plan"
cat >"$refused" <<'EOF'
{"format": "Penmarrow plan", "version": 1, "initial deposit": "$1,000", "regular deposit": "$100",
 "deposit frequency": "Annually", "compound frequency": "Annually", "rate": "120", "years": 10,
 "alternative shown": false, "alternative regular deposit": "$75",
 "alternative compound frequency": "Annually", "alternative start later": 0, "marks shown": true}
EOF
step "Save the plan" key ctrl+s
heard "Save the plan" "Save plan"
step "Name the plan" key ctrl+a type "$plan"
step "Save it" key Return
heard "Save it" "Plan saved as walk\\.penmarrow"
step "Open a plan" key ctrl+o
heard "Open a plan" "Open plan"
step "Name the saved plan" key ctrl+a type "$plan"
step "Open it" key Return
heard "Open it" "Plan opened: 2 years, \\\$100 annually"
step "Open another plan" key ctrl+o
step "Name the refused plan" key ctrl+a type "$refused"
# Orca takes its time to meet a box that comes up as a dialog goes.
ORCA_SESSION_WAIT=4 step "Open the refused plan" key Return
heard "Open the refused plan" "refused\\.penmarrow.? was not opened\\. Rate 120 is above 99\\.99"
step "Close the refusal" key Return

# The overflow: the largest amounts at the highest rate over fifty years.
step "Tab to the initial deposit" key --delay 200 Tab Tab Tab Tab Tab
heard "Tab to the initial deposit" "Initial deposit"
step "Type 999999" type 999999
((orca_version < 45)) && unheard "Type 999999" "unselected"
step "Tab and type 999999" key Tab type 999999
step "Tab to the rate and type 99.99" key --delay 300 Tab Tab Tab type 99.99
step "Tab to the years and type 50" key Tab type --delay 300 50
heard "Tab to the years and type 50" "Invalid floating point operation"
step "Close the box" key Return
step "Where am I" key KP_Enter
heard "Where am I" "Number of years"

# Reviewing the screen: the table stays out of the inputs' lines; the link at the bottom is followed.
# Orca takes its time to gather a screen's lines.
ORCA_SESSION_WAIT=6 step "Review the top" key KP_Insert+KP_Home
ORCA_SESSION_WAIT=6 step "Review the next lines" key --delay 200 KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up
heard "Review the next lines" "Number of years"
apart "Review the next lines" "deposit:|frequency:|Rate|max 50|%" "Year [0-9]|column header|deposit \\\$"
heard "Review the next lines" "Number of years.*Year 1 initial deposit"
ORCA_SESSION_WAIT=4 step "Review the bottom" key KP_Insert+KP_Page_Up
heard "Review the bottom" "penmarrow\\.example\\.org"
step "Click the link" key KP_Divide
sleep 1
if ! grep -q "https://penmarrow.example.org/" "$opened" 2>/dev/null; then
  echo "FAIL: clicking the link in review opened nothing"
  failures=$((failures + 1))
fi

if ((failures)); then
  echo "$failures checks failed; transcript: $transcript"
  "$tool" transcript
  exit 1
fi
echo "The walk passed; transcript: $transcript"

#!/usr/bin/env bash
# A blind saver's walk through the window with the Orca screen reader, by the keyboard alone: set up
# both strategies, meet the continuous-compounding notice and a compound frequency the program
# picks, hear the totals, find the keys, explore the year table, copy the figures and the chart,
# save and open the plan and meet a refused one, meet every field's limit, cause and clear the
# overflow box, follow the link and review the screen. Checks what Orca said at each step, that nothing was said twice, and that Qt had no
# question of Orca to complain about; prints the words Orca spoke per key typed. The transcript and
# the program's log are kept in the artifacts folder. Orca 43 and Orca 48 word some things
# differently ("spin button 10", "notification" before each message, a table's row as several
# utterances): the checks accept both.
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
program_log=${TMPDIR:-/tmp}/orca-session.$ORCA_SESSION_DISPLAY/logs/program.log
finish() {
  "$tool" transcript >"$transcript" 2>&1
  cp "$program_log" "$artifacts/program.log" 2>/dev/null
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

# changing LABEL XDOTOOL-ARGS...: a step whose input changes the totals, which the program tells
# once the input has paused for a second: the step waits for them.
changing() {
  ORCA_SESSION_WAIT=2.5 step "$@"
}

# typing KEYS LABEL XDOTOOL-ARGS...: a step that types KEYS keys into a field, counted for the
# words spoken per key.
typing_steps=() typed_keys=0
typing() {
  typing_steps+=("$2")
  typed_keys=$((typed_keys + $1))
  changing "${@:2}"
}

# utterances LABEL: what Orca said during the step LABEL, one utterance a line, unquoted.
utterances() {
  "$tool" transcript | awk -v label="=== $1 (" 'index($0, "=== ") == 1 { inside = index($0, label) == 1; next }
                                               inside && /^  (SAY|SAY\+|CHAR) / { sub(/^  [A-Z+]+ ./, ""); sub(/.$/, ""); print }'
}

# spoken LABEL: what Orca said during the step LABEL, one line, so that a pattern may span what
# Orca split into several utterances.
spoken() {
  utterances "$1" | tr '\n' ' '
}

# apart LABEL PATTERN1 PATTERN2: no utterance of the step LABEL matches both patterns.
apart() {
  if utterances "$1" | grep -E -- "$2" | grep -Eq -- "$3"; then
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

# once LABEL PATTERN: exactly one utterance of the step LABEL matches PATTERN.
once() {
  local count
  count=$(utterances "$1" | grep -Ec -- "$2")
  if ((count != 1)); then
    echo "FAIL: during '$1' Orca said /$2/ $count times"
    failures=$((failures + 1))
  fi
}

# brief LABEL PATTERN WORDS: every utterance of the step LABEL that matches PATTERN has at most
# WORDS words.
brief() {
  local longest
  longest=$(utterances "$1" | grep -E -- "$2" | awk '{ if (NF > n) n = NF } END { print n + 0 }')
  if ((longest > $3)); then
    echo "FAIL: during '$1' Orca said /$2/ in $longest words (at most $3)"
    failures=$((failures + 1))
  fi
}

# Your strategy: an accepted digit, a refused letter, BackSpace. A key hears its figure at once;
# the totals that changed follow once the typing pauses.
step "Where am I in the deposit" key KP_Enter
heard "Where am I in the deposit" "Ctrl\\+T says the totals"
step "End of the initial deposit" key End
typing 1 "Type 5" type 5
heard "Type 5" "1,0005\\..*Your strategy: initial deposit \\\$10,005, total interest \\\$6,550, total savings \\\$17,555"
apart "Type 5" "1,0005" "Your strategy"
unheard "Type 5" "regular deposits"
typing 1 "Type a" type a
heard "Type a" "letter a not accepted, still \\\$1,0005"
typing 1 "BackSpace" key BackSpace
heard "BackSpace" "\\\$1,000\\..*Your strategy: initial deposit \\\$1,000"
unheard "BackSpace" "1,0005"
typing 1 "Type 5 again" type 5
step "Home" key Home
heard "Home" "dollar|\\\$"
step "The keys" key F1
heard "The keys" "Ctrl\\+T says the totals\\. Tab reaches the chart last: the arrow keys read its table"
step "Tab to the regular deposit" key Tab
heard "Tab to the regular deposit" "Regular deposit"
heard "Tab to the regular deposit" "\\\$100"
unheard "Tab to the regular deposit" "unselected|100'? '?selected.*100'? '?selected"
step "Tab to the deposit frequency" key Tab
heard "Tab to the deposit frequency" "Deposit frequency.*Annually, 1 of 5"
unheard "Tab to the deposit frequency" "Deposit frequency.*Deposit frequency|unselected"
changing "Down in the deposit frequency" key Down
heard "Down in the deposit frequency" "Quarterly, 2 of 5\\..*Your strategy: regular deposits \\\$4,000, total interest \\\$7,323, total savings \\\$21,328"
once "Down in the deposit frequency" "Quarterly"

# The continuous-compounding notice, and the deposit back when the mode ends.
step "Tab to the compound frequency" key Tab
heard "Tab to the compound frequency" "Compound frequency.*Annually, 1 of 3"
changing "End in the compound frequency" key End
heard "End in the compound frequency" "Continuous, 3 of 3\\. No deposits for continuous compounding\\. Use daily compounding for similar results\\. Regular deposit and deposit frequency unavailable"
changing "Home in the compound frequency" key Home
heard "Home in the compound frequency" "Annually, 1 of 3\\. Regular deposit back to \\\$100, deposit frequency available"

# A compound frequency no longer offered: the program picks "Continuous".
changing "Down in the compound frequency" key Down
heard "Down in the compound frequency" "Quarterly, 2 of 3"
step "Back to the deposit frequency" key shift+Tab
changing "Up in the deposit frequency" key Up
heard "Up in the deposit frequency" "Annually, 1 of 5\\. Compound frequency changed to Continuous"
changing "Tab and Home in the compound frequency" key --delay 300 Tab Home

# The rate: a lone point, a refused minus.
step "Tab to the rate" key Tab
heard "Tab to the rate" "Interest Rate, in percent"
heard "Tab to the rate" "5\\.00"
typing 1 "Type a point" type .
# Orca 48 infers "Text unselected" from its own record of the selection when a key replaces it.
((orca_version < 45)) && unheard "Type a point" "unselected"
heard "Type a point" "point\\..*Your strategy: total interest \\\$0"
typing 1 "Type a minus" type -
heard "Type a minus" "minus not accepted, still point"
typing 1 "Type 5 after the point" type 5
step "Tab to the years" key Tab
heard "Tab to the years" "Number of years \\(max 50\\)"
heard "Tab to the years" "spin button"
changing "Type 99 years" type 99
heard "Type 99 years" "99 not accepted, at most 50 years, now 50 years"
changing "Back to 10 years" key --delay 100 ctrl+a type 10
changing "Up in the years" key Up
heard "Up in the years" "11 years\\..*Your strategy: regular deposits"

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

# The alternative strategy, its fields named for a listener.
step "Tab to the alternative" key Tab
heard "Tab to the alternative" "Alternative strategy"
changing "Check the alternative" key space
heard "Check the alternative" "Alternative strategy inputs available\\..*Your strategy: total savings \\\$[0-9,]+\\. Alternative strategy: total savings \\\$[0-9,]+\\. (Your|Alternative) strategy ends \\\$[0-9,]+ higher"
step "Tab to the alternative deposit" key Tab
heard "Tab to the alternative deposit" "Alternative strategy, change regular deposit"
heard "Tab to the alternative deposit" "\\\$75"
changing "Type 0 at its end" key --delay 300 End type 0
heard "Type 0 at its end" "\\\$750\\..*Alternative strategy: regular deposits \\\$8,250"
unheard "Type 0 at its end" "Your strategy:"
step "Tab to the alternative frequency" key Tab
heard "Tab to the alternative frequency" "Alternative strategy, change compound frequency.*Annually, 1 of 5"
unheard "Tab to the alternative frequency" "frequency.*compound frequency.*Annually"
# A pick from the open list is told once.
changing "Pick from the open list" key --delay 300 alt+Down Down Return
once "Pick from the open list" "^(notification )?Quarterly, 2 of 5\\."
step "Tab to the start" key Tab
heard "Tab to the start" "Start later.*0 years"
unheard "Tab to the start" "0 0 percent"
changing "Right on the start" key --delay 300 Right Right Right
heard "Right on the start" "Start 3 years later\\..*Alternative strategy: "
unheard "Right on the start" "Your strategy:"
step "Ask for both totals" key ctrl+t
heard "Ask for both totals" "Your strategy: .*total savings \\\$[0-9,]+\\. Alternative strategy: .*total savings \\\$[0-9,]+\\. (Your|Alternative) strategy ends \\\$[0-9,]+ higher"

# Fewer years than the start: the program pulls the start back.
step "Tab to the years" key --delay 200 Tab Tab Tab Tab Tab Tab
changing "Type 2 years" type 2
heard "Type 2 years" "2 years\\. Start pulled back to 1 year later"

# The chart's menu, by the Menu key and by Shift+F10; closing it gives the chart's cell back.
step "Tab to the chart again" key Tab
step "Menu key" key Menu
heard "Menu key" "Copy figures.*Menu: Copy figures, Copy chart"
step "Close the menu" key Escape
heard "Close the menu" "Year 2"
step "Where am I after the menu" key KP_Enter
heard "Where am I after the menu" "row 2 of 2"
unheard "Where am I after the menu" "frame"
step "Menu key again" key Menu
step "Copy the figures" key Return
heard "Copy the figures" "Figures of 2 years copied"
step "Shift+F10" key shift+F10
heard "Shift+F10" "Copy figures.*Menu: Copy figures, Copy chart"
step "Down to Copy chart" key Down
heard "Down to Copy chart" "Copy chart"
step "Copy the chart" key Return
heard "Copy the chart" "Chart copied"

# The table's columns follow the alternative.
changing "Uncheck the alternative" key --delay 300 Tab space
step "Back to the table" key shift+Tab
step "Where am I without the alternative" key KP_Enter
heard "Where am I without the alternative" "column [0-9] of 5 row"
changing "Check the alternative again" key --delay 300 Tab space


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
# Orca echoes each key of the long path well after it is typed, and speech that comes while it
# still echoes is cut short: the step waits until the echo is done.
ORCA_SESSION_WAIT=8 step "Name the plan" key ctrl+a type "$plan"
step "Save it" key Return
heard "Save it" "Plan saved as walk\\.penmarrow"
step "Open a plan" key ctrl+o
heard "Open a plan" "Open plan"
step "Open it, as the dialog suggests" key Return
heard "Open it, as the dialog suggests" "Plan opened: 2 years, \\\$100 annually"
step "Open another plan" key ctrl+o
step "Name the refused plan, in the same folder" key ctrl+a type "$(basename "$refused")"
# Orca takes its time to meet a box that comes up as a dialog goes.
ORCA_SESSION_WAIT=4 step "Open the refused plan" key Return
heard "Open the refused plan" "refused\\.penmarrow.? was not opened\\. Rate 120 is above 99\\.99"
step "Close the refusal" key Return

# The limits, and the overflow: the largest amounts at the highest rate over fifty years.
step "Tab to the initial deposit" key --delay 200 Tab Tab Tab Tab
heard "Tab to the initial deposit" "Initial deposit"
typing 6 "Type 999999" type 999999
((orca_version < 45)) && unheard "Type 999999" "unselected"
step "Type one more 9" type 9
heard "Type one more 9" "9 not accepted, at most \\\$999,999, still 999999"
step "Type 9 again" type 9
heard "Type 9 again" "9 not accepted, still 999999"
changing "Tab and type 999999" key Tab type 999999
changing "Tab to the rate and type 99.99" key --delay 300 Tab Tab Tab type 99.99
step "Type another 9" type 9
heard "Type another 9" "9 not accepted, at most 99\\.99 percent, still 99\\.99"
step "Tab to the years and type 50" key Tab type --delay 300 50
heard "Tab to the years and type 50" "Invalid floating point operation"
step "Close the box" key Return
step "Where am I" key KP_Enter
heard "Where am I" "Number of years"
step "Ask for the totals after the error" key ctrl+t
heard "Ask for the totals after the error" "Totals from before the error, after [0-9]+ years?\\. "
unheard "Ask for the totals after the error" "higher"

# Reviewing the screen: the table one line below the inputs, each total and the start said once;
# the link at the bottom is called a link and followed. Orca takes its time to gather a screen's
# lines.
ORCA_SESSION_WAIT=6 step "Review the top" key KP_Insert+KP_Home
ORCA_SESSION_WAIT=6 step "Review the next lines" key --delay 200 KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up KP_Page_Up
heard "Review the next lines" "Number of years"
apart "Review the next lines" "deposit:|frequency:|Rate|max 50|%" "Year [0-9]|column header|deposit \\\$"
heard "Review the next lines" "Number of years.*Year [0-9]+ initial deposit"
brief "Review the next lines" "Year [0-9]" 40
heard "Review the next lines" "Your strategy, total savings, \\\$"
unheard "Review the next lines" "Total savings: Your strategy|slider|Years"
heard "Review the next lines" "Start later: [0-9]+ years?"
ORCA_SESSION_WAIT=4 step "Review the bottom" key KP_Insert+KP_Page_Up
heard "Review the bottom" "Link to penmarrow\\.example\\.org"
step "Click the link" key KP_Divide
heard "Click the link" "Opening penmarrow\\.example\\.org in the browser"
if ! grep -q "https://penmarrow.example.org/" "$opened" 2>/dev/null; then
  echo "FAIL: clicking the link in review opened nothing"
  failures=$((failures + 1))
fi

# What a listener hears for each key typed in a field: all of it, and what comes before the totals
# that the typing's pause brings.
words=0 before_totals=0
for label in "${typing_steps[@]}"; do
  words=$((words + $(utterances "$label" | wc -w)))
  before_totals=$((before_totals + $(utterances "$label" | grep -Ev "^(notification )?(Your|Alternative) strategy:" | wc -w)))
done
per_key() { awk -v w="$1" -v k="$typed_keys" 'BEGIN { printf "%.1f", w / k }'; }
echo "Words per key: $(per_key $words) in all, $(per_key $before_totals) before the totals ($words and $before_totals words over $typed_keys keys, Orca $orca_version)"

# Each of these is a question of Orca's that Qt's objects could not answer.
for complaint in "Fix my children" "does not implement"; do
  if grep -q "$complaint" "$program_log" 2>/dev/null; then
    echo "FAIL: Qt warned: $(grep -m 1 "$complaint" "$program_log")"
    failures=$((failures + 1))
  fi
done

if ((failures)); then
  echo "$failures checks failed; transcript: $transcript"
  "$tool" transcript
  exit 1
fi
echo "The walk passed; transcript: $transcript"

#!/usr/bin/env bash
# Prints the Debian package that owns each FILE, one a line in the order given, and an empty line
# for a file that none owns, which it names on stderr before it fails. dpkg may know a file under /lib or under /usr/lib (merged /usr), and answers
# for a diverted file with "diversion by ..." lines first, which name the diverting package.
# Usage: package-of.sh FILE...
set -uo pipefail

declare -A owner=()
# look_up PATH...: records the owner of each path dpkg knows, all in one (slow) query.
look_up() {
  local line
  while IFS= read -r line; do
    [[ "$line" == "diversion by "* ]] && continue
    local packages=${line%%: /*} path=/${line#*: /}
    owner[$path]=${packages%%[:,]*}
  done < <(dpkg-query -S "$@" 2>/dev/null)
}

# The names a file may have in dpkg's database; the first that dpkg knows wins.
aliases() { printf '%s\n' "$1" "$(realpath -m "$1")" "${1#/usr}" "/usr$1"; }

mapfile -t all < <(for file in "$@"; do aliases "$file"; done)
look_up "${all[@]}"
status=0
for file in "$@"; do
  found=
  while read -r alias; do
    found=${owner[$alias]:-} && [[ -n "$found" ]] && break
  done < <(aliases "$file")
  echo "$found"
  [[ -n "$found" ]] || { echo "no package owns $file" >&2; status=1; }
done
exit "$status"

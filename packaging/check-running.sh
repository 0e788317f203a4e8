#!/usr/bin/env bash
# Starts the program on a private X display (Xvfb and openbox) as a desktop session does, waits for
# its window and checks it: its WM_CLASS matches the desktop file's StartupWMClass, and Qt loaded the
# plugins the window needs (runtime-plugins.txt: X11, and SVG for the style's images and the icon).
# With --open, the program is started as a file manager starts it for a plan: the plan must have the
# plan file's type, the desktop file must be its default application, and `gio open` must start the
# program with the plan.
# Usage: check-running.sh [--root DIR] [--shot PNG] [--loaded FILE] [--open PLAN] DESKTOP_FILE PROGRAM [ARGS...]
#   --root DIR     runs PROGRAM inside the root file system DIR; the X display stays outside
#   --shot PNG     saves a screenshot of the screen
#   --loaded FILE  writes the shared objects the program loaded, one a line
#   --open PLAN    a plan file (its path inside DIR with --root), opened with gio instead of PROGRAM
set -euo pipefail
here=$(dirname "$(realpath "$0")")
root='' shot='' loaded='' plan=''
while [[ $# -gt 0 && $1 == --* ]]; do
  case $1 in
    --root) root=$(realpath "$2") ;;
    --shot) shot=$2 ;;
    --loaded) loaded=$2 ;;
    --open) plan=$2 ;;
    *) echo "unknown option $1" >&2; exit 2 ;;
  esac
  shift 2
done
(($# >= 2)) || { echo "usage: $0 [--root DIR] [--shot PNG] [--loaded FILE] DESKTOP_FILE PROGRAM..." >&2; exit 2; }
desktop_file=$1
shift

work=$(mktemp -d)
runtime=$(mktemp -d "$root/tmp/runtime.XXXXXX")
pids=()
finish() {
  local pid
  for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null || true; done
  wait 2>/dev/null || true
  rm -rf "$work" "$runtime"
}
trap finish EXIT
problems=0
problem() { echo "PROBLEM: $*"; problems=$((problems + 1)); }

# wait_until SECONDS COMMAND...: polls COMMAND until it succeeds; fails after SECONDS.
wait_until() {
  local end=$((SECONDS + $1))
  shift
  until "$@" >/dev/null 2>&1; do
    ((SECONDS < end)) || return 1
    sleep 0.2
  done
}

# The X server picks a free display number itself: a lock file check cannot see a display of
# another root on this machine, whose socket still takes the number.
Xvfb -displayfd 3 -screen 0 1280x800x24 -nolisten tcp 3>"$work/display" >"$work/xvfb.log" 2>&1 &
pids+=($!)
wait_until 30 test -s "$work/display" || { cat "$work/xvfb.log"; echo "PROBLEM: Xvfb did not start"; exit 1; }
export DISPLAY=:$(<"$work/display")
openbox --sm-disable >"$work/openbox.log" 2>&1 &
pids+=($!)
wait_until 30 xdotool get_desktop || { cat "$work/openbox.log"; echo "PROBLEM: openbox did not start"; exit 1; }

startup_wm_class=$(sed -n 's/^StartupWMClass=//p' "$desktop_file")
# As the desktop session runs programs, inside the root if any.
session=(env -u WAYLAND_DISPLAY QT_QPA_PLATFORM=xcb XDG_RUNTIME_DIR="/${runtime#"$root"/}" ${root:+chroot "$root"})

if [[ -n "$plan" ]]; then
  plan_type=$("${session[@]}" gio info -a standard::content-type "$plan" | sed -n 's/^ *standard::content-type: //p') || true
  [[ "$plan_type" == application/x-penmarrow-plan ]] || problem "the plan's type is '$plan_type'"
  handler=$("${session[@]}" gio mime application/x-penmarrow-plan | sed -n '1s/.*: //p') || true
  [[ "$handler" == "$(basename "$desktop_file")" ]] || problem "plans open with '$handler'"
  "${session[@]}" gio open "$plan" >"$work/program.log" 2>&1 || problem "gio could not open $plan"
  window=$(timeout 30 xdotool search --sync --onlyvisible --class "$startup_wm_class" 2>/dev/null | head -n 1) || true
  program=$(xdotool getwindowpid "$window" 2>/dev/null) || true
  pids+=("$program")
  tr '\0' '\n' <"/proc/$program/cmdline" 2>/dev/null | grep -qxF "$plan" ||
    problem "the program did not get the plan: $(tr '\0' ' ' <"/proc/$program/cmdline" 2>/dev/null)"
else
  "${session[@]}" "$@" >"$work/program.log" 2>&1 &
  program=$!
  pids+=("$program")
  window=$(timeout 30 xdotool search --sync --onlyvisible --pid "$program" --name . 2>/dev/null | head -n 1) || true
fi
if [[ -z "$window" ]]; then
  cat "$work/program.log"
  echo "PROBLEM: no window of ${plan:-$*} within 30 s"
  exit 1
fi

mapped() { awk '$6 ~ /\.so/ { print $6 }' "/proc/$program/maps" | sort -u; }
missing_plugins() {
  local plugin
  while read -r plugin; do mapped | grep -q "/$plugin\$" || echo "$plugin"; done <"$here/runtime-plugins.txt"
}
all_plugins_loaded() { [[ -z "$(missing_plugins)" ]]; }
# The window loads the SVG plugin when it first paints its images.
if ! wait_until 15 all_plugins_loaded; then
  for plugin in $(missing_plugins); do problem "Qt did not load the plugin $plugin"; done
  cat "$work/program.log"
fi
[[ -z "$loaded" ]] || mapped >"$loaded"

wm_class=$(xprop -id "$window" WM_CLASS | sed -n 's/.*= "[^"]*", "\([^"]*\)"$/\1/p')
[[ -n "$wm_class" && "$wm_class" == "$startup_wm_class" ]] ||
  problem "the window's WM_CLASS is '$wm_class', the desktop file's StartupWMClass '$startup_wm_class'"

if [[ -n "$shot" ]]; then
  sleep 1 # the first paint after the plugins came
  import -window root "$shot"
  echo "Screenshot: $shot"
fi
((problems == 0)) || exit 1
echo "${plan:+$plan opened by gio: }$(basename "$1") runs on $DISPLAY with its plugins loaded and WM_CLASS $wm_class"

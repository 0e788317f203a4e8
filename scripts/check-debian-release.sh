#!/usr/bin/env bash
# Checks the committed HEAD on a fresh minimal Debian RELEASE (bookworm, trixie), as root: makes the
# root file system with debootstrap and follows the README in it (git, install-deps.sh, test.sh,
# run.sh without a display, the .deb), then installs the .deb with apt-get into a second fresh root
# and starts the installed program there, on an X display outside the roots: it must come up with
# its plugins and its desktop file's window class, and open a plan that gio opens by its type.
# Screenshots and logs land in build/debian-RELEASE.
# Ends with the test command's summary, this check's steps added; exits non-zero on any failure.
# Usage: scripts/check-debian-release.sh [--keep] RELEASE
#   --keep   leaves the roots in place (their folder is printed) instead of removing them
# Downloads are kept between runs in $PENMARROW_ROOTS_CACHE (default /var/cache/penmarrow-roots).
set -euo pipefail
cd "$(dirname "$0")/.."
source scripts/roots.sh

keep=0
[[ "${1:-}" == --keep ]] && { keep=1; shift; }
(($# == 1)) || { echo "usage: $0 [--keep] RELEASE (bookworm, trixie)" >&2; exit 2; }
release=$1
((EUID == 0)) || { echo "$0 makes root file systems: run it as root" >&2; exit 2; }
# debootstrap, and the X display with its tools (xvfb, openbox, xdotool) that the program's check uses.
scripts/install-deps.sh debootstrap

cache=${PENMARROW_ROOTS_CACHE:-/var/cache/penmarrow-roots}/$release
artifacts=$PWD/build/debian-$release
rm -rf "$artifacts"
mkdir -p "$cache/debootstrap" "$cache/archives" "$artifacts"
work=$(mktemp -d "/var/tmp/penmarrow-$release.XXXXXX")
build_root=$work/build
install_root=$work/install
started=$SECONDS
cache_before=$(du -sm "$cache" | cut -f1)
rows=()
failures=()
passed=0
failed=0

finish() {
  local status=$?
  trap - EXIT INT TERM
  release_roots "$work"
  disk=$(du -sm --one-file-system "$build_root" "$install_root" 2>/dev/null | awk '{ printf "%s%s MB", sep, $1; sep = ", " }')
  if ((keep)); then echo "The roots stay in $work"; else remove_roots "$work" || true; fi
  print_summary
  ((status)) || ((failed == 0)) || status=1
  exit "$status"
}
trap finish EXIT
trap 'failures+=("interrupted"); failed=$((failed + 1)); exit 130' INT TERM

# step NAME COMMAND...: runs one step of the check, its output also in the artifacts; notes its verdict and time.
step() {
  local name=$1 start=$SECONDS status=0
  shift
  echo "== $release: $name"
  "$@" 2>&1 | tee "$artifacts/$name.log" || status=$?
  if ((status == 0)); then
    passed=$((passed + 1))
    rows+=("$(printf '%-28s passed  (%d s)' "$name" $((SECONDS - start)))")
  else
    failed=$((failed + 1))
    failures+=("$release: $name (log: $artifacts/$name.log)")
    rows+=("$(printf '%-28s FAILED  (%d s)' "$name" $((SECONDS - start)))")
  fi
  return "$status"
}

# in_root ROOT COMMAND: runs a shell command in ROOT as root's login there would, without a terminal
# for debconf to ask on.
in_root() {
  chroot "$1" /usr/bin/env -i HOME=/root TERM="${TERM:-dumb}" LANG=C.UTF-8 DEBIAN_FRONTEND=noninteractive \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin /bin/bash -c "cd /root && $2"
}

make_root() {
  debootstrap --variant=minbase --cache-dir="$cache/debootstrap" "$release" "$build_root" \
    http://deb.debian.org/debian
  cp /etc/resolv.conf "$build_root/etc/resolv.conf"
  cp -a "$build_root" "$install_root"
}

# The test command's summary, from "== Summary" on, then this check's steps; one line of totals.
print_summary() {
  local test_log=$artifacts/test.sh.log tests_passed=0 tests_failed=0
  echo
  if [[ -f "$test_log" ]] && grep -q '^== Summary' "$test_log"; then
    sed -n '/^== Summary/,$p' "$test_log" | sed '$d'
    read -r tests_passed _ tests_failed _ < <(tail -n 1 "$test_log")
  fi
  echo
  echo "== Debian $release, fresh roots (artifacts in $artifacts, $((SECONDS - started)) s)"
  printf '%s\n' "${rows[@]}"
  echo "roots on disk (build, install): ${disk:-none}; downloads kept: $(du -sm "$cache" | cut -f1) MB," \
       "$(($(du -sm "$cache" | cut -f1) - cache_before)) MB of them new (cache $cache)"
  if ((failed)); then
    echo
    echo "!!!!!!!! FAILED !!!!!!!!"
    printf '  %s\n' "${failures[@]}"
    echo
  fi
  echo "$((tests_passed + passed)) passed, $((tests_failed + failed)) failed"
}

step debootstrap make_root
enter_root "$build_root" "$cache/archives"
git bundle create "$build_root/root/penmarrow.bundle" HEAD 2>/dev/null
echo "Checking $(git log -1 --format='%h %s') on Debian $release"
# The README's commands, as a user on a fresh machine types them.
step git in_root "$build_root" "apt-get update && apt-get install -y git &&
  git -c advice.detachedHead=false clone /root/penmarrow.bundle penmarrow"
clone=$build_root/root/penmarrow
step install-deps.sh in_root "$build_root" "cd penmarrow && ./scripts/install-deps.sh"
step test.sh in_root "$build_root" "cd penmarrow && ./scripts/test.sh" || true
# A failed test leaves the rest of the check worth running; a failed build does not.
[[ -x "$clone/build/release/app/penmarrow" ]] || exit 1
cp -a "$clone/build/test-logs" "$clone/build/release/desktop-artifacts" "$artifacts/" 2>/dev/null || true
step run.sh in_root "$build_root" "cd penmarrow && ./scripts/run.sh" || true
cp "$build_root/tmp/penmarrow.png" "$artifacts/run.sh.png" 2>/dev/null || true
step cmake-install in_root "$build_root" "cd penmarrow && cmake --install build/release --prefix /usr/local" || true
step cmake-installed-starts "$clone/packaging/check-running.sh" --root "$build_root" \
  --shot "$artifacts/cmake-installed.png" "$build_root/usr/local/share/applications/org.example.Penmarrow.desktop" \
  /usr/local/bin/penmarrow || true
step cpack in_root "$build_root" "cd penmarrow/build/release && cpack" || true
deb=$(cd "$clone/build/release" && ls penmarrow_*.deb 2>/dev/null | head -n 1) || exit 1

# The .deb alone on another fresh root: its Depends must bring all the program needs.
enter_root "$install_root" "$cache/archives"
cp "$clone/build/release/$deb" "$install_root/root/"
step deb-install in_root "$install_root" "apt-get update && apt-get install -y ./$deb" || true
step deb-installed-starts "$clone/packaging/check-running.sh" --root "$install_root" \
  --shot "$artifacts/deb-installed.png" "$install_root/usr/share/applications/org.example.Penmarrow.desktop" \
  /usr/bin/penmarrow || true
# A plan opened by its type, as a file manager opens it; gio and the index of the desktop files' types
# come with a desktop, not with the package.
open_plan_by_type() {
  in_root "$install_root" "apt-get install -y libglib2.0-bin desktop-file-utils" &&
    cp "$clone/fuzz/plan-corpus/both-strategies.penmarrow" "$install_root/root/" &&
    "$clone/packaging/check-running.sh" --root "$install_root" --open /root/both-strategies.penmarrow \
      --shot "$artifacts/deb-opens-plan.png" "$install_root/usr/share/applications/org.example.Penmarrow.desktop" \
      /usr/bin/penmarrow
}
step deb-opens-plan open_plan_by_type || true

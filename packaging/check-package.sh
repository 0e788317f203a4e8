#!/usr/bin/env bash
# Builds the .deb from a build tree and checks it as Debian would take it: the files it ships,
# that every shared library the program loads comes from a package its Depends pull in, and lintian.
# Usage: check-package.sh <build dir>
set -euo pipefail
build_dir=$(realpath "$1")
app_id=org.example.Penmarrow
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
problems=0
problem() { echo "PROBLEM: $*"; problems=$((problems + 1)); }

if ! cpack --config "$build_dir/CPackConfig.cmake" -B "$work/out" >"$work/cpack.log" 2>&1; then
  cat "$work/cpack.log"
  echo "PROBLEM: cpack failed"
  exit 1
fi
deb=$(echo "$work"/out/penmarrow_*.deb)
echo "Built $(basename "$deb")"
dpkg-deb -x "$deb" "$work/root"

expected=(usr/bin/penmarrow
          usr/share/applications/$app_id.desktop
          usr/share/metainfo/$app_id.metainfo.xml
          usr/share/icons/hicolor/scalable/apps/$app_id.svg
          usr/share/man/man1/penmarrow.1.gz
          usr/share/doc/penmarrow/copyright
          usr/share/doc/penmarrow/changelog.gz)
for size in 16 24 32 48 64 72 96 128; do
  expected+=("usr/share/icons/hicolor/${size}x$size/apps/$app_id.png")
done
for file in "${expected[@]}"; do
  [[ -f "$work/root/$file" ]] || problem "the package lacks /$file"
done

# The packages the declared Depends pull in, following the installed packages' own dependencies.
package_names() { tr ',|' '\n\n' | sed -e 's/(.*)//' -e 's/:.*//' -e 's/[[:space:]]//g' | sed '/^$/d'; }
declare -A pulled=()
queue=($(dpkg-deb -f "$deb" Depends | package_names))
while ((${#queue[@]})); do
  package=${queue[0]}
  queue=("${queue[@]:1}")
  [[ -n "${pulled[$package]:-}" ]] && continue
  pulled[$package]=1
  queue+=($(dpkg-query -W -f='${Depends},${Pre-Depends}' "$package" 2>/dev/null | package_names))
done

# The package that owns a library file; dpkg may know it under /lib or /usr/lib (merged /usr).
owner() {
  local path
  for path in "$1" "$(realpath "$1")" "${1#/usr}" "/usr$1"; do
    dpkg-query -S "$path" 2>/dev/null | sed -n '1s/:.*//p' | grep . && return
  done
  return 1
}

program=$work/root/usr/bin/penmarrow
libraries=0
while read -r name arrow path _; do
  [[ "$name" == linux-vdso.so.* ]] && continue
  [[ "$arrow" == "=>" ]] || path=$name
  if [[ "$path" == not ]]; then
    problem "$name is not found"
    continue
  fi
  libraries=$((libraries + 1))
  if ! package=$(owner "$path"); then
    problem "no package owns $path"
  elif [[ -z "${pulled[$package]:-}" ]]; then
    problem "$name comes from $package, which the package's Depends do not pull in"
  fi
done < <(ldd "$program")
echo "$libraries shared libraries of the program come from its dependencies (${#pulled[@]} packages)"

lintian_output=$(lintian --allow-root --fail-on error "$deb") || problem "lintian reports errors"
echo "lintian: ${lintian_output:-no tags}"

if ((problems)); then
  echo "$problems problem(s) in $(basename "$deb")"
  exit 1
fi
echo "$(basename "$deb") ships all its files, resolves its libraries and passes lintian"

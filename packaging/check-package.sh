#!/usr/bin/env bash
# Builds the .deb from a build tree and checks it as Debian would take it: the files it ships, that
# every shared library the program links or loads at run time (Qt's plugins: dpkg-shlibdeps and ldd
# do not see them) comes from a package its Depends pull in, the program's window, and lintian.
# Usage: check-package.sh <build dir> <icon sizes, as 16,24,32>
set -euo pipefail
here=$(dirname "$(realpath "$0")")
build_dir=$(realpath "$1")
IFS=, read -ra icon_sizes <<<"$2"
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
          usr/share/mime/packages/$app_id.xml
          usr/share/icons/hicolor/scalable/apps/$app_id.svg
          usr/share/man/man1/penmarrow.1.gz
          usr/share/doc/penmarrow/copyright
          usr/share/doc/penmarrow/changelog.gz)
for size in "${icon_sizes[@]}"; do
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

# linked FILE: the shared libraries FILE links, as ldd finds them; one it does not find, by name.
linked() {
  local name arrow path
  while read -r name arrow path _; do
    [[ "$name" == linux-vdso.so.* ]] && continue
    [[ "$arrow" == "=>" && "$path" != not ]] || path=$name
    echo "$path"
  done < <(ldd "$1")
}

# The libraries the program links, and the plugins its window needs (Qt loads them at run time,
# past dpkg-shlibdeps and ldd) with theirs. Qt also tries optional libraries (libXcursor) that the
# window does without; those are left out.
program=$work/root/usr/bin/penmarrow
"$here/check-running.sh" --loaded "$work/loaded" "$work/root/usr/share/applications/$app_id.desktop" "$program" ||
  problem "the packaged program does not run as it should"
mapfile -t plugins < <(grep -F -f <(sed 's|^|/|' "$here/runtime-plugins.txt") "$work/loaded" 2>/dev/null)
libraries=("${plugins[@]}")
for file in "$program" "${plugins[@]}"; do
  mapfile -t -O "${#libraries[@]}" libraries < <(linked "$file")
done
mapfile -t libraries < <(printf '%s\n' "${libraries[@]}" | sort -u)
mapfile -t owners < <("$here/package-of.sh" "${libraries[@]}" 2>/dev/null)
for i in "${!libraries[@]}"; do
  package=${owners[$i]}
  if [[ "${libraries[$i]}" != /* ]]; then
    problem "${libraries[$i]} is not found"
  elif [[ -z "$package" ]]; then
    problem "no package owns ${libraries[$i]}"
  elif [[ -z "${pulled[$package]:-}" ]]; then
    problem "${libraries[$i]} comes from $package, which the package's Depends do not pull in"
  fi
done
echo "${#libraries[@]} shared libraries and plugins of the program come from its dependencies (${#pulled[@]} packages)"

# A plan as a file manager meets it, the package's files standing in for an installed package: its
# type by its name, and by its first lines without one; opened with gio, it starts the program.
share=$work/root/usr/share
update-mime-database "$share/mime" >/dev/null 2>&1
update-desktop-database "$share/applications"
cat >"$work/plan.penmarrow" <<'PLAN'
{
    "alternative compound frequency": "Annually",
    "alternative regular deposit": "$75",
    "alternative shown": true,
    "alternative start later": 2,
    "compound frequency": "Monthly",
    "deposit frequency": "Monthly",
    "format": "Penmarrow plan",
    "initial deposit": "$5,000",
    "marks shown": true,
    "rate": "4.50",
    "regular deposit": "$250",
    "version": 1,
    "years": 30
}
PLAN
cp "$work/plan.penmarrow" "$work/plan-without-suffix"
mkdir "$work/home"
export HOME=$work/home XDG_DATA_DIRS=$share:/usr/local/share:/usr/share PATH=$work/root/usr/bin:$PATH
unnamed=$(gio info -a standard::content-type "$work/plan-without-suffix" | sed -n 's/^ *standard::content-type: //p') || true
[[ "$unnamed" == application/x-penmarrow-plan ]] || problem "a plan without its suffix is taken for '$unnamed'"
"$here/check-running.sh" --open "$work/plan.penmarrow" --shot "$build_dir/package-opens-plan.png" \
  "$share/applications/$app_id.desktop" "$program" || problem "the package does not open a plan by its type"

lintian_output=$(lintian --allow-root --fail-on error "$deb") || problem "lintian reports errors"
echo "lintian: ${lintian_output:-no tags}"

if ((problems)); then
  echo "$problems problem(s) in $(basename "$deb")"
  exit 1
fi
echo "$(basename "$deb") ships all its files, resolves its libraries and plugins, runs and passes lintian"

# Root file systems for checks on a fresh Debian: entering one (the kernel's file systems and a
# shared package cache mounted in it), and leaving and removing them safely. Sourced by
# check-debian-release.sh.

# enter_root ROOT ARCHIVES: mounts what programs in ROOT need, and ARCHIVES as its apt cache.
enter_root() {
  local root=$1 archives=$2
  mount -t proc proc "$root/proc"
  mount -t sysfs sysfs "$root/sys"
  # /dev with its pseudo-terminals; nothing mounted below it in ROOT reaches the host's /dev.
  mount --rbind /dev "$root/dev"
  mount --make-rslave "$root/dev"
  mount -t tmpfs -o mode=1777,nosuid,nodev tmpfs "$root/dev/shm"
  mkdir -p "$archives/partial"
  # apt downloads as its own user, whose number is the root's.
  chown "$(chroot "$root" id -u _apt)" "$archives/partial"
  mount --bind "$archives" "$root/var/cache/apt/archives"
}

# mounts_under DIR: the mount points below DIR, deepest first.
mounts_under() { findmnt -rn -o TARGET | awk -v dir="$1/" 'index($0, dir) == 1' | sort -r; }

# processes_in DIR: the processes whose root directory lies below DIR (started in a root there).
processes_in() {
  local process
  for process in /proc/[0-9]*; do
    [[ "$(readlink "$process/root" 2>/dev/null)" == "$1"/* ]] && echo "${process#/proc/}"
  done
  return 0
}

# release_roots DIR: ends the processes left in the roots below DIR and unmounts all mounted there.
release_roots() {
  local dir=$1 pids mount i
  pids=$(processes_in "$dir")
  if [[ -n "$pids" ]]; then
    kill $pids 2>/dev/null || true
    for i in $(seq 50); do
      [[ -n "$(processes_in "$dir")" ]] || break
      sleep 0.1
    done
    pids=$(processes_in "$dir")
    [[ -z "$pids" ]] || kill -KILL $pids 2>/dev/null || true
  fi
  while read -r mount; do
    [[ -n "$mount" ]] && { umount "$mount" || umount --lazy "$mount"; }
  done < <(mounts_under "$dir")
}

# remove_roots DIR: removes DIR, unless something is still mounted below it (rm would reach the
# host's /dev or /proc through it).
remove_roots() {
  local dir=$1
  if [[ -n "$(mounts_under "$dir")" ]]; then
    echo "Something is still mounted below $dir; it stays:" >&2
    mounts_under "$dir" >&2
    return 1
  fi
  rm -rf --one-file-system "$dir"
}

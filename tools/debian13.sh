#!/usr/bin/env bash
# Runs a command of this repository on Debian 13 (trixie), as a new developer
# there would: in a clean clone of this checkout's committed HEAD, inside a
# Debian 13 root made with debootstrap. Without arguments the command is the
# README's test command, tools/test; `tools/debian13.sh tools/run` builds and
# starts Morvex there instead. The clone stays in the root until the next
# run (its path is printed at the end: tools/run's screenshot is in it).
#
# The root is kept in build/debian13/root, so a second run only clones and
# runs (and apt finds everything installed). The package server is the one
# debootstrap chooses by default, or MORVEX_DEBIAN_MIRROR; the root's apt
# keeps using the one debootstrap used.
# For the run it mounts /proc, /sys, /dev, /dev/pts and /dev/shm into the root
# (Wine's server and Xvfb need the last two) and copies resolv.conf; on every
# exit, a failure or an interrupt included, it ends the processes still
# running inside the root and unmounts all of it. Needs root (or sudo).
set -euo pipefail
cd "$(dirname "$0")/.."
repo=$PWD
if [ "$(id -u)" -ne 0 ]; then exec sudo --preserve-env=CI,MORVEX_FUZZ_SECONDS,MORVEX_DEBIAN_MIRROR "$0" "$@"; fi
[ $# -gt 0 ] || set -- tools/test

mirror=${MORVEX_DEBIAN_MIRROR:-}
base=$repo/build/debian13
root=$base/root
clone=/work/morvex  # inside the root
started=$(date +%s)
say() { echo "debian13: $*"; }

if ! command -v debootstrap >/dev/null; then
  say "installing debootstrap"
  # A list that fails (a mirror in the middle of a sync) leaves the others.
  apt-get update -qq || say "apt-get update failed in part; going on with the package lists at hand"
  DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends debootstrap >/dev/null
fi

# What is mounted at or below the root, deepest first.
mounted_below() { awk -v r="$root" '$2 == r || index($2, r "/") == 1 { print $2 }' /proc/self/mounts | sort -r; }

# One run at a time: a second one would take the first one's clone and mounts.
mkdir -p "$base"
exec 9>"$base/lock"
flock -n 9 || { say "another run is using $root"; exit 1; }

# Ends what still runs inside the root (an Xvfb, a wineserver), by process id.
end_processes() {
  local round pid link left
  for round in 1 2 3 4 5 6; do
    left=0
    for link in /proc/[0-9]*/root; do
      pid=${link#/proc/}; pid=${pid%/root}
      [ "$(readlink "$link" 2>/dev/null)" = "$root" ] || continue
      left=1
      if [ "$round" -lt 4 ]; then kill -TERM "$pid" 2>/dev/null || true; else kill -KILL "$pid" 2>/dev/null || true; fi
    done
    [ $left = 0 ] && return 0
    sleep 1
  done
}

unmount_all() {
  local m
  for m in $(mounted_below); do
    umount "$m" 2>/dev/null || umount -l "$m" || say "could not unmount $m"
  done
}

cleanup() {
  local rc=$?
  trap - EXIT INT TERM
  end_processes
  unmount_all
  if [ -n "$(mounted_below)" ]; then say "still mounted: $(mounted_below | tr '\n' ' ')"; rc=1; fi
  say "$([ $rc = 0 ] && echo passed || echo "FAILED (exit $rc)") after $(($(date +%s) - started)) s"
  exit $rc
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# A run that was killed before its trap could run leaves its mounts behind.
end_processes
unmount_all

if [ ! -f "$base/ready" ]; then
  [ -z "$(mounted_below)" ] || { say "something is still mounted in $root"; exit 1; }
  rm -rf --one-file-system "$root"
  say "making the root with debootstrap (trixie, ${mirror:-its default server})"
  t=$(date +%s)
  debootstrap --variant=minbase trixie "$root" ${mirror:+"$mirror"} >"$base/debootstrap.log" 2>&1 \
    || { tail -30 "$base/debootstrap.log"; exit 1; }
  # The server debootstrap used, from the sources.list it wrote, also for the
  # updates and the security updates.
  mirror=$(awk '$1 == "deb" { print $2; exit }' "$root/etc/apt/sources.list" 2>/dev/null || true)
  [ -n "$mirror" ] || { say "debootstrap wrote no package server into $root/etc/apt/sources.list"; exit 1; }
  cat >"$root/etc/apt/sources.list" <<EOF
deb $mirror trixie main
deb $mirror trixie-updates main
deb ${mirror%/debian}/debian-security trixie-security main
EOF
  # No service starts inside the root when apt installs it.
  printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
  chmod +x "$root/usr/sbin/policy-rc.d"
  touch "$base/ready"
  say "root made in $(($(date +%s) - t)) s"
fi

cp -L /etc/resolv.conf "$root/etc/resolv.conf" 2>/dev/null || true
bind() {  # host path, made a slave so that nothing mounted below it reaches the host
  mkdir -p "$root$1"
  mount --bind "$1" "$root$1"
  mount --make-rslave "$root$1"
}
mount -t proc proc "$root/proc"
bind /sys
bind /dev
bind /dev/pts
bind /dev/shm

# A clean clone of the committed HEAD.
head=$(git rev-parse HEAD)
rm -rf --one-file-system "$root$clone"
mkdir -p "$(dirname "$root$clone")"
git clone --quiet --no-local "$repo" "$root$clone"
git -C "$root$clone" checkout --quiet --detach "$head"
say "Debian $(cat "$root/etc/debian_version"), clone of $(git rev-parse --short HEAD): $*"

# A clean environment: nothing of the host's display, Wine prefix or tools.
# Waited for in the background, so that a signal to this script is handled
# at once (the trap then ends what runs inside).
quoted=$(printf ' %q' "$@")
chroot "$root" /usr/bin/env -i HOME=/root PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin \
  LANG=C.UTF-8 TERM="${TERM:-dumb}" CI="${CI:-}" ${MORVEX_FUZZ_SECONDS:+MORVEX_FUZZ_SECONDS=$MORVEX_FUZZ_SECONDS} \
  /bin/bash -c "cd $clone &&$quoted" </dev/null &
wait $!
say "$(chroot "$root" /usr/bin/env -i PATH=/usr/bin:/bin wine --version 2>/dev/null || echo "no Wine"),"\
    "$(chroot "$root" /usr/bin/env -i PATH=/usr/bin:/bin x86_64-w64-mingw32-g++-posix -dumpfullversion 2>/dev/null \
       | sed 's/^/MinGW-w64 GCC /' || echo "no MinGW-w64")"
say "the clone is in $root$clone"

#!/usr/bin/env bash
# Runs one Windows test program under Wine in a prefix of its own, on an X
# display of its own:
#   wine-run.sh ARCH PREFIX PROGRAM [ARGS...]
# ARCH is the prefix's Windows: win64, or win32 (a 32-bit Windows) for the
# 32-bit program. The prefix is made on first use (tools/wine-prefix.sh).
# Each run starts an Xvfb of its own, so that suites run side by side never
# share a foreground window, a popup menu or the pointer. Wine's output goes
# to a file beside the prefix (never through a pipe: wineserver would hold it
# open) and is printed afterwards; the program's exit code is this script's.
set -u
here=$(dirname "$0")
arch=$1; shift
prefix=$(realpath -m "$1"); shift
program=$1; shift
export WINEPREFIX=$prefix
case $arch in
  win32|win64) export WINEARCH=$arch ;;
  *) echo "wine-run: ARCH is win32 or win64, not '$arch'" >&2; exit 2 ;;
esac
# shellcheck source=../tools/wine-prefix.sh
source "$here/../tools/wine-prefix.sh"
unset DISPLAY
# shellcheck source=../tools/xserver.sh
source "$here/../tools/xserver.sh"
[ -n "${DISPLAY:-}" ] || exit 2
trap '[ -n "${MORVEX_XVFB_PID:-}" ] && kill "$MORVEX_XVFB_PID" 2>/dev/null || true' EXIT
morvex_prefix "$prefix.boot.log"
log="$prefix.$(basename "$program").log"
timeout "${MORVEX_WINE_TIMEOUT:-1500}" wine "$program" "$@" </dev/null >"$log" 2>&1
rc=$?
cat "$log"
timeout 30 wineserver -k >/dev/null 2>&1 || true
exit $rc

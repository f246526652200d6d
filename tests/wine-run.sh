#!/usr/bin/env bash
# Runs one Windows test program under Wine in a prefix of its own:
#   wine-run.sh ARCH PREFIX PROGRAM [ARGS...]
# ARCH is the prefix's Windows: win64, or win32 (a 32-bit Windows) for the
# 32-bit program. The prefix is made on first use. Wine's output goes to a
# file beside the prefix (never through a pipe: wineserver would hold it open)
# and is printed afterwards; the program's exit code is this script's.
set -u
arch=$1; shift
prefix=$(realpath -m "$1"); shift
program=$1; shift
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
case $arch in
  win32|win64) export WINEARCH=$arch ;;
  *) echo "wine-run: ARCH is win32 or win64, not '$arch'" >&2; exit 2 ;;
esac
if [ -z "${DISPLAY:-}" ]; then
  echo "wine-run: no DISPLAY; start Xvfb first (tools/test does)" >&2
  exit 2
fi
if [ ! -f "$prefix/system.reg" ]; then
  mkdir -p "$prefix"
  timeout 300 wineboot -i </dev/null >"$prefix.boot.log" 2>&1
  timeout 60 wineserver -w
fi
log="$prefix.$(basename "$program").log"
timeout "${MORVEX_WINE_TIMEOUT:-1500}" wine "$program" "$@" </dev/null >"$log" 2>&1
rc=$?
cat "$log"
timeout 30 wineserver -k >/dev/null 2>&1 || true
exit $rc

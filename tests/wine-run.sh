#!/usr/bin/env bash
# Runs one Windows test program under Wine in a prefix of its own:
#   wine-run.sh PREFIX PROGRAM [ARGS...]
# The prefix is made on first use. Wine's output goes to a file beside the
# prefix (never through a pipe: wineserver would hold it open) and is printed
# afterwards; the program's exit code is this script's.
set -u
prefix=$(realpath -m "$1"); shift
program=$1; shift
export WINEPREFIX=$prefix WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="
export WINEARCH=win64
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

#!/usr/bin/env bash
# Makes the screenshots of the main window under Wine on Xvfb: the start page
# and the options page, at 96 DPI and at 144 DPI (150 %).
# Output: docs/screenshots/*.png (cropped to the window).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target morvex mvclick
unset DISPLAY
source tools/xserver.sh
trap '[ -n "${MORVEX_XVFB_PID:-}" ] && kill "$MORVEX_XVFB_PID" 2>/dev/null || true' EXIT
source tools/wine-prefix.sh
out=docs/screenshots
mkdir -p "$out" build/shots

shoot() {  # dpi name [control to click before the shot]
  local dpi=$1 name=$2 click=${3:-}
  export WINEPREFIX=$PWD/build/shots/prefix-$dpi
  morvex_prefix build/shots/boot-$dpi.log
  if [ "$MORVEX_PREFIX_NEW" = 1 ]; then
    timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
      </dev/null >>build/shots/boot-$dpi.log 2>&1
    timeout 60 wineserver -w
  fi
  rm -rf build/shots/app && mkdir -p build/shots/app
  cp build/windows/morvex.exe build/windows/thx.wav build/shots/app/
  (cd build/shots/app && timeout 60 wine morvex.exe </dev/null >../run.log 2>&1 &)
  sleep 6
  if [ -n "$click" ]; then
    timeout 30 wine build/windows/mvclick.exe "$click" </dev/null >>build/shots/run.log 2>&1 || true
    sleep 2
  fi
  local id
  id=$(xwininfo -root -tree | grep -F '"Morvex  (' | head -1 | awk '{print $1}')
  if [ -n "$id" ]; then import -window "$id" "$out/$name.png"; else import -window root "$out/$name.png"; fi
  timeout 30 wineserver -k || true
  sleep 1
  echo "saved $out/$name.png"
}

shoot 96 start-page
shoot 96 options-page xpButton6
shoot 144 start-page-150
shoot 144 options-page-150 xpButton6

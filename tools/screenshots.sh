#!/usr/bin/env bash
# Makes the screenshots of the main window under Wine on Xvfb: the start page
# and the options page, the wait window in the middle of a run, and the
# notice of the final minute (the window shown where Windows holds balloons
# back, bench/notice_window.cpp), each at 96 DPI and at 144 DPI (150 %).
# Output: docs/screenshots/*.png (cropped to the window).
set -euo pipefail
cd "$(dirname "$0")/.."
tools/deps.sh
cmake --preset windows >/dev/null
cmake --build --preset windows --target morvex mvclick morvex_e2e_tests mvx_notice_window
unset DISPLAY
source tools/xserver.sh
trap '[ -n "${MORVEX_XVFB_PID:-}" ] && kill "$MORVEX_XVFB_PID" 2>/dev/null || true' EXIT
source tools/wine-prefix.sh
out=docs/screenshots
mkdir -p "$out" build/shots

prefix() {  # dpi [name]: the prefix build/shots/prefix-NAME (NAME: the dpi) at that DPI
  local dpi=$1 name=${2:-$1}
  export WINEPREFIX=$PWD/build/shots/prefix-$name
  morvex_prefix build/shots/boot-$name.log
  if [ "$MORVEX_PREFIX_NEW" = 1 ]; then
    timeout 60 wine reg add 'HKCU\Control Panel\Desktop' /v LogPixels /t REG_DWORD /d "$dpi" /f \
      </dev/null >>build/shots/boot-$name.log 2>&1
    timeout 60 wineserver -w
  fi
}

shoot() {  # dpi name [control to click before the shot]
  local dpi=$1 name=$2 click=${3:-}
  prefix "$dpi"
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

# The wait window while a run works: the end-to-end case of the wait window
# runs in a prefix of its own (it puts its TASKKILL stand-in there, which
# takes 3 s), and the window is taken as soon as it shows.
shoot_wait_window() {  # dpi name
  local dpi=$1 name=$2 id=
  prefix "$dpi" "wait-$dpi"
  MORVEX_EXE_DIR=$PWD/build/windows timeout 120 wine build/windows/morvex_e2e_tests.exe \
    --gtest_filter='WaitWindow.*' </dev/null >build/shots/wait-$dpi.log 2>&1 &
  for _ in $(seq 400); do
    id=$(xwininfo -root -tree | grep -F '"Bitte Warten' | head -1 | awk '{print $1}')
    [ -n "$id" ] && break
    sleep 0.05
  done
  sleep 0.5
  [ -n "$id" ] && import -window "$id" "$out/$name.png" && echo "saved $out/$name.png"
  wait
  timeout 30 wineserver -k || true
}

notice() {  # dpi name
  prefix "$1"
  (timeout 60 wine build/windows/mvx_notice_window.exe </dev/null >build/shots/notice.log 2>&1 &)
  sleep 4
  local place
  place=$(grep -Eo '^[0-9]+x[0-9]+\+[0-9]+\+[0-9]+' build/shots/notice.log | head -1)
  import -window root -crop "$place" +repage "$out/$2.png"
  timeout 30 wineserver -k || true
  sleep 1
  echo "saved $out/$2.png"
}

shoot 96 start-page
shoot 96 options-page xpButton6
shoot 144 start-page-150
shoot 144 options-page-150 xpButton6
shoot_wait_window 96 wait-window
shoot_wait_window 144 wait-window-150
notice 96 final-minute-notice
notice 144 final-minute-notice-150

#!/usr/bin/env bash
# Sourced: the Wine settings that every prefix of the project is used with,
# and morvex_prefix, which makes the prefix named by WINEPREFIX when it is
# missing.
#
# No Mono or Gecko prompts, no desktop entries made from shortcuts, no debug
# channels.
export WINEDEBUG=-all WINEDLLOVERRIDES="mscoree,mshtml,winemenubuilder.exe="

# morvex_prefix LOG: makes $WINEPREFIX (of $WINEARCH, where set) unless it
# exists, with Wine's output in LOG. Sets MORVEX_PREFIX_NEW=1 when it made
# the prefix, so that the caller can add keys of its own.
#
# Every prefix says Managed=N to Wine's X11 driver: Xvfb runs no window
# manager, and a managed window that is hidden or destroyed makes Wine 8 wait
# up to 2 s for one to withdraw it. Unmanaged, Wine draws the windows' title
# bars itself, as Windows does.
morvex_prefix() {
  local log=$1
  MORVEX_PREFIX_NEW=0
  if [ ! -f "$WINEPREFIX/system.reg" ]; then
    mkdir -p "$WINEPREFIX"
    timeout 300 wineboot -i </dev/null >"$log" 2>&1
    MORVEX_PREFIX_NEW=1
  fi
  # Wine draws the title bars' buttons with the symbol font Marlett, which
  # Debian's Wine 8 does not find in its own fonts folder: without it a
  # close button shows an "r".
  local marlett=/usr/share/wine/fonts/marlett.ttf fonts=$WINEPREFIX/drive_c/windows/Fonts
  if [ -f "$marlett" ] && [ -d "$fonts" ] && [ ! -f "$fonts/marlett.ttf" ]; then cp "$marlett" "$fonts/"; fi
  if ! grep -qx '"Managed"="N"' "$WINEPREFIX/user.reg" 2>/dev/null; then
    timeout 60 wine reg add 'HKCU\Software\Wine\X11 Driver' /v Managed /d N /f </dev/null >>"$log" 2>&1
  fi
  timeout 60 wineserver -w
}

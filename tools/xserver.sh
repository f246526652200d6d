#!/usr/bin/env bash
# Sourced: makes sure DISPLAY names a running X server, starting Xvfb when
# there is no screen. Sets MORVEX_XVFB_PID when it started one.
#
# A display counts as ours only once our Xvfb has said it is ready on it
# (-displayfd): a number whose files are free may still be taken by a server
# whose files this process cannot see (another root, another /tmp; X's
# abstract sockets are shared), and then our Xvfb ends at once while a client
# would reach the other server. So each free number is tried until one is ours.
if [ -z "${DISPLAY:-}" ] || ! xdpyinfo >/dev/null 2>&1; then
  unset DISPLAY MORVEX_XVFB_PID
  morvex_ready=$(mktemp)
  for n in $(seq 90 140); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] && continue
    : >"$morvex_ready"
    Xvfb ":$n" -screen 0 1280x900x24 -nolisten tcp -displayfd 3 3>"$morvex_ready" >/dev/null 2>&1 &
    morvex_pid=$!
    for _ in $(seq 100); do
      [ -s "$morvex_ready" ] && break
      kill -0 "$morvex_pid" 2>/dev/null || break
      sleep 0.05
    done
    if [ -s "$morvex_ready" ] && kill -0 "$morvex_pid" 2>/dev/null; then
      MORVEX_XVFB_PID=$morvex_pid
      export DISPLAY=":$n"
      break
    fi
    kill "$morvex_pid" 2>/dev/null || true
    wait "$morvex_pid" 2>/dev/null || true
  done
  rm -f "$morvex_ready"
  unset morvex_ready morvex_pid
  [ -n "${DISPLAY:-}" ] || echo "xserver.sh: no Xvfb could be started on displays :90 to :140" >&2
fi

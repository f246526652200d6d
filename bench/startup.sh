#!/usr/bin/env bash
# Start-up of morvex.exe beside the least program with one window
# (bench/bare_window.cpp), under Wine on an X server (Xvfb when there is no
# screen), in a Wine prefix of its own under build/startup.
#
#   bench/startup.sh [-n STARTS] [--idle SECONDS] [--traces N] [--first-start]
#                    [--manifest] [--also PROGRAM.exe]... [--before MORVEX.exe]
#                    [--no-count]
#
# It builds both programs (windows preset) and the traced morvex.exe (bench
# preset), keeps one Wine session up for the whole run, starts each program
# once to warm up, then STARTS times each (default 5), alternately, 3 s apart.
# mvx_start_probe.exe times each start from CreateProcess to the first visible
# top-level window of the program; once it is visible the program settles for
# 2 s, then its Linux process (found by the unique path of its exe) is watched
# for SECONDS (default 30): CPU ticks (utime + stime) over that time, and the
# resident memory (VmRSS) at its end. Every start runs in a fresh folder: a
# copy of the program and, for morvex.exe, of the config.ini its warm-up start
# wrote (--first-start: no config.ini, as on the very first start).
#
# Then the traced morvex.exe is started N times (--traces, default 3) and the
# median of each step of its startup-trace.txt printed, and it is started once
# more with Wine's relay trace of a few functions to count the windows
# created before the first show, the fonts made, the texts measured and the
# opens of config.ini (--no-count skips this). --manifest adds the bare
# window program with morvex.exe's manifest (common controls 6, DPI
# awareness) to the comparison, and the same with 27 child windows more (as
# many as morvex.exe makes before its first show); --also any other program
# (named after its file); --before another build's morvex.exe (an older
# commit's, say), started as morvex.exe is, beside the same config.ini, and
# shown as morvex-before.
set -euo pipefail
cd "$(dirname "$0")/.."
root=$PWD

starts=5 idle=30 traces=3 first_start=0 manifest=0 count=1 also=() before=""
settle=2 gap=3
while [ $# -gt 0 ]; do
  case $1 in
    -n) starts=$2; shift ;;
    --idle) idle=$2; shift ;;
    --traces) traces=$2; shift ;;
    --first-start) first_start=1 ;;
    --manifest) manifest=1 ;;
    --also) also+=("$(realpath "$2")"); shift ;;
    --before) before=$(realpath "$2"); shift ;;
    --no-count) count=0 ;;
    *) sed -n '2,31p' "$0" >&2; exit 2 ;;
  esac
  shift
done

cmake --preset windows >/dev/null
cmake --build --preset windows --target morvex mvx_bare_window mvx_bare_window_manifest mvx_bare_window_children mvx_start_probe >/dev/null
if [ "$traces" -gt 0 ] || [ $count = 1 ]; then
  cmake --preset bench >/dev/null
  cmake --build --preset bench --target morvex_windows_trace >/dev/null
fi
release=$root/build/windows
traced=$root/build/bench/windows

work=$root/build/startup
prefix=$work/prefix
runs=$work/runs
rm -rf "$runs"
mkdir -p "$runs"
export WINEPREFIX=$prefix WINEARCH=win64
source tools/wine-prefix.sh
source tools/xserver.sh
morvex_prefix "$work/prefix.log"
if [ "$MORVEX_PREFIX_NEW" = 1 ]; then
  # The functions whose calls the counting start logs (WINEDEBUG=+relay),
  # from every module but the X11 driver.
  timeout 60 wine reg add 'HKCU\Software\Wine\Debug' /v RelayInclude /f /d \
    'user32.CreateWindowExW;user32.ShowWindow;gdi32.CreateFontIndirectW;user32.DrawTextW;gdi32.GetTextExtentPoint32W;kernel32.GetPrivateProfileStringA;kernel32.WritePrivateProfileStringA;kernelbase.CreateFileW' \
    </dev/null >>"$work/prefix.log" 2>&1
  timeout 60 wine reg add 'HKCU\Software\Wine\Debug' /v RelayFromExclude /f /d 'winex11.drv' \
    </dev/null >>"$work/prefix.log" 2>&1
  timeout 60 wineserver -w
fi

windows_path() { local p=${1//\//\\}; echo "Z:$p"; }
probe="$release/mvx_start_probe.exe"

# One Wine session for the whole run, as the desktop is on Windows: without
# it every start would begin a session (wineserver, services, desktop).
holder_stop=$work/holder.stop
rm -f "$holder_stop"
cleanup() {
  touch "$holder_stop" "$runs"/*.stop 2>/dev/null || true
  timeout 30 wineserver -k >/dev/null 2>&1 || true
  if [ -n "${MORVEX_XVFB_PID:-}" ]; then kill "$MORVEX_XVFB_PID" 2>/dev/null || true; fi
}
trap cleanup EXIT
timeout 7200 wine "$probe" --hold "$(windows_path "$holder_stop")" </dev/null >"$work/holder.log" 2>&1 &
sleep 2

# The Linux process of the Wine process whose command line is exactly PATH.
unix_pid() {
  local want=$1 p
  for p in /proc/[0-9]*; do
    [ -r "$p/cmdline" ] || continue
    if [ "$(tr '\0' '\n' <"$p/cmdline" 2>/dev/null | head -n 1)" = "$want" ]; then
      echo "${p#/proc/}"
      return 0
    fi
  done
  return 1
}
ticks() { sed 's/.*) //' "/proc/$1/stat" | awk '{print $12 + $13}'; }
rss_kb() { awk '/^VmRSS:/ {print $2}' "/proc/$1/status"; }

# start LABEL SOURCE_DIR EXE [WATCH_SECONDS] [WINEDEBUG] [FILE]: one start of
# EXE in a fresh folder $runs/LABEL, ended once it has settled and written
# FILE there (if named); prints "visible_ms wine_ms rss_kb ticks" (the last
# two only when watched), where wine_ms is the time the `wine` command took
# before the probe's process existed.
start() {
  local label=$1 source=$2 exe=$3 watch=${4:-0} debug=${5:--all} file=${6:-}
  local dir=$runs/$label
  mkdir -p "$dir"
  cp "$source/$exe" "$dir/"
  if [ "$exe" = morvex.exe ]; then
    cp "$release/thx.wav" "$dir/"
    if [ $first_start = 0 ] && [ -f "$runs/config.ini" ]; then cp "$runs/config.ini" "$dir/"; fi
  fi
  local target stop=$dir.stop log=$dir.probe.log
  target=$(windows_path "$dir/$exe")
  local launched
  : >"$log"
  launched=$(date +%s.%N)
  WINEDEBUG=$debug timeout $((watch + 180)) wine "$probe" "$target" "$(windows_path "$stop")" \
    </dev/null >"$log" 2>"$dir.wine.log" &
  local probe_job=$! visible="" i
  for i in $(seq 600); do
    visible=$(sed -n 's/.*visible_ms=\([0-9.]*\).*/\1/p' "$log")
    [ -n "$visible" ] && break
    sleep 0.1
  done
  if [ -z "$visible" ]; then
    echo "no visible window for $label (see $log)" >&2
    touch "$stop"; wait $probe_job || true
    return 1
  fi
  local wine_ms
  wine_ms=$(sed -n 's/.*probe_created=\([0-9.]*\).*/\1/p' "$log" | awk -v l="$launched" '{printf "%.1f", ($1 - l) * 1000}')
  local rss="" used=""
  sleep $settle
  if [ -n "$file" ]; then
    for i in $(seq 300); do [ -f "$dir/$file" ] && break; sleep 0.1; done
  fi
  if [ "$watch" -gt 0 ]; then
    local pid before
    if ! pid=$(unix_pid "$target"); then
      echo "$label ended by itself (see $dir.wine.log)" >&2
      return 1
    fi
    before=$(ticks "$pid")
    sleep "$watch"
    used=$(( $(ticks "$pid") - before ))
    rss=$(rss_kb "$pid")
  fi
  touch "$stop"
  wait $probe_job || true
  echo "$visible $wine_ms $rss $used"
}

names=(bare morvex)
sources=("$release/mvx_bare_window.exe" "$release/morvex.exe")
if [ $manifest = 1 ]; then
  names+=(bare-manifest bare-27-windows)
  sources+=("$release/mvx_bare_window_manifest.exe" "$release/mvx_bare_window_children.exe")
fi
if [ -n "$before" ]; then
  [ "$(basename "$before")" = morvex.exe ] || { echo "--before wants a file named morvex.exe" >&2; exit 2; }
  names+=(morvex-before)
  sources+=("$before")
fi
for program in "${also[@]}"; do
  names+=("$(basename "$program" .exe)")
  sources+=("$program")
done

echo "wine: $(wine --version), display $DISPLAY, load $(cut -d' ' -f1-3 /proc/loadavg)"
if [ $first_start = 1 ]; then
  echo "morvex.exe starts in a folder without config.ini, as on its very first start"
else
  echo "morvex.exe starts beside the config.ini an earlier start wrote"
fi
echo "warm-up: one start of each"
for k in "${!names[@]}"; do
  written=""
  [ "${names[$k]}" = morvex ] && written=config.ini
  start "warmup-${names[$k]}" "$(dirname "${sources[$k]}")" "$(basename "${sources[$k]}")" 0 -all $written >/dev/null
  sleep $gap
done
cp "$runs/warmup-morvex/config.ini" "$runs/config.ini"

results=$work/results.txt
: >"$results"
for i in $(seq "$starts"); do
  for k in "${!names[@]}"; do
    line=$(start "${names[$k]}-$i" "$(dirname "${sources[$k]}")" "$(basename "${sources[$k]}")" "$idle")
    echo "${names[$k]} $line" | tee -a "$results"
    sleep $gap
  done
done

python3 - "$results" "$idle" <<'EOF'
import statistics, sys
rows = {}
for line in open(sys.argv[1]):
    name, visible, wine, rss, ticks = line.split()
    rows.setdefault(name, []).append((float(visible), int(rss), int(ticks), float(wine)))
med = {n: [statistics.median(c) for c in zip(*r)][:3] for n, r in rows.items()}
wine = statistics.median(r[3] for rs in rows.values() for r in rs)
print(f"\n{'':16}{'start ms':>10}{'RSS MB':>9}{'CPU ticks':>11}   (medians; CPU over {sys.argv[2]} s idle)")
for n, (v, r, t) in med.items():
    print(f"{n:16}{v:10.1f}{r / 1024:9.1f}{t:11.1f}")
def ratio(a, b):
    return f"{a / b:.2f}" if b else "n/a"
others = [n for n in med if n not in ("bare", "morvex")]
pairs = [("morvex", "bare")] + [("morvex", n) for n in others] + [(n, "bare") for n in others]
for a, b in pairs:
    print(f"ratio {a}/{b}:".ljust(34) + "  ".join(
        f"{what} {ratio(x, y)}" for what, x, y in zip(("start", "memory", "CPU"), med[a], med[b])))
print(f"\nThe start runs from CreateProcess. The `wine` command itself took {wine:.0f} ms before the process")
print(f"existed; added to both, as for a start from a shell, the start ratio morvex/bare would be "
      f"{ratio(med['morvex'][0] + wine, med['bare'][0] + wine)}.")
print("\nraw (start ms / RSS kB / CPU ticks / wine command ms):")
for n, r in rows.items():
    print(f"  {n:14}" + "  ".join(f"{v:.0f}/{rs}/{t}/{w:.0f}" for v, rs, t, w in r))
EOF

if [ "$traces" -gt 0 ]; then
  for i in $(seq "$traces"); do
    start "trace-$i" "$traced" morvex.exe 0 -all startup-trace.txt >/dev/null
    sleep $gap
  done
  echo
  echo "start-up trace of morvex.exe, ms since the process was created (each column the median of $traces starts):"
  python3 - "$runs"/trace-*/startup-trace.txt <<'EOF'
import statistics, sys
traces = []
for path in sys.argv[1:]:
    lines = open(path).read().splitlines()[1:]
    traces.append([(l[30:].strip(), float(l[:10]), float(l[10:20]), l[20:29].strip()) for l in lines])
print(f"{'since':>8} {'step':>7} {'ws MB':>6}  step")
for row in zip(*traces):
    ws = row[0][3]
    print(f"{statistics.median(r[1] for r in row):8.1f} {statistics.median(r[2] for r in row):7.1f} "
          f"{(int(ws) / 1024 if ws.isdigit() else 0):6.1f}  {row[0][0]}")
EOF
fi

if [ $count = 1 ]; then
  echo
  echo "counted in one start each with Wine's relay trace (morvex.exe: until its trace is written):"
  start count-bare "$release" mvx_bare_window.exe 0 +pid,+loaddll,+relay >"$runs/count-bare.out"
  sleep $gap
  start count-morvex "$traced" morvex.exe 0 +pid,+loaddll,+relay startup-trace.txt >"$runs/count-morvex.out"
  python3 - "$runs" <<'EOF'
import re, sys
runs = sys.argv[1]
def count(name, end_marker):
    pid = int(open(f"{runs}/count-{name}.probe.log").read().split("pid=")[1].split()[0])
    prefix = f"{pid:04x}:"
    c = dict(windows=0, windows_own=0, dlls=0, fonts=0, fonts_own=0, measures=0, opens=0, gets=0, writes=0)
    shown = False
    for line in open(f"{runs}/count-{name}.wine.log", errors="replace"):
        if not line.startswith(prefix):
            continue
        if end_marker and "CreateFileW(" in line and end_marker in line:
            break
        own = re.search(r"\) ret=14[0-9a-f]{7}$", line.rstrip()) is not None
        if "Loaded L" in line and "loaddll" in line and not shown:
            c["dlls"] += 1
        if ":Call " not in line:
            continue
        if "user32.ShowWindow(" in line and own and line.split("(")[1].split(",")[1].startswith("00000005"):
            shown = True
        if "user32.CreateWindowExW(" in line and not shown:
            c["windows"] += 1
            c["windows_own"] += own
        if "gdi32.CreateFontIndirectW(" in line:
            c["fonts"] += 1
            c["fonts_own"] += own
        m = re.search(r"user32\.DrawTextW\(.*,([0-9a-f]+)\) ret=", line)
        if m and own and int(m.group(1), 16) & 0x400:  # DT_CALCRECT
            c["measures"] += 1
        if "gdi32.GetTextExtentPoint32W(" in line and own:
            c["measures"] += 1
        if "CreateFileW(" in line and "config.ini" in line.lower():
            c["opens"] += 1
        c["gets"] += "GetPrivateProfileStringA(" in line
        c["writes"] += "WritePrivateProfileStringA(" in line
    return c
bare, morvex = count("bare", None), count("morvex", "startup-trace.txt")
rows = [("DLLs loaded before the first show", "dlls"),
        ("windows created before the first show", "windows"),
        ("  of them by the program itself", "windows_own"),
        ("fonts created", "fonts"),
        ("  of them by the program itself", "fonts_own"),
        ("texts measured by the program", "measures"),
        ("config.ini opened", "opens"),
        ("  GetPrivateProfileStringA calls", "gets"),
        ("  WritePrivateProfileStringA calls", "writes")]
print(f"{'':42}{'bare':>6}{'morvex':>8}")
for label, key in rows:
    print(f"{label:42}{bare[key]:6}{morvex[key]:8}")
EOF
fi
echo "load at the end: $(cut -d' ' -f1-3 /proc/loadavg)"

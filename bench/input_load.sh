#!/usr/bin/env bash
# Cost of counting: the gadget in a virtual display (Xvfb + icewm), first idle,
# then under synthetic load through XTest (10 keys/s, 2 clicks/s, the pointer
# moving 100 times/s), each for $1 seconds (default 60); the load is repeated
# $3 times (default 3) because this machine's figures swing with its host.
# Reports the CPU of the gadget and of the X server from /proc per round, the
# lowest and the median, and whether every press was counted.
# Usage: bench/input_load.sh [SECONDS] [BINARY] [ROUNDS]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
binary=${2:-$root/build/pendolux}
rounds=${3:-3}
source "$root/tests/e2e/lib.sh"

start_desktop
xvfb_pid=${E2E_PIDS[0]}
make_sandbox "$binary"
# Calibrated 19" 4:3 at 1280 x 1024, totals 0, meter in a corner, no log.
write_config window=1100,850 on_top=0 stamp=
hz=$(getconf CLK_TCK)
percent() { python3 -c "import sys; print(f'{100.0 * int(sys.argv[1]) / int(sys.argv[2]) / float(sys.argv[3]):.3f}')" "$1" "$hz" "$2"; }

xdotool mousemove 300 300
sleep 2
x0=$(process_ticks "$xvfb_pid")
sleep "$seconds"
x_alone=$(( $(process_ticks "$xvfb_pid") - x0 ))

start_gadget
wait_for_window '^Pendolux$' 10 > /dev/null || fail "no meter window"
sleep 5

thread_ticks() { # "TID NAME NANOSECONDS WAKE-UPS": CPU time and voluntary switches per thread of the gadget
  for task in /proc/"$GADGET_PID"/task/*; do
    local name t
    name=$(tr ' ' '_' < "$task/comm" 2> /dev/null) || continue  # a thread that just ended
    t=$(awk '{print $1}' "$task/schedstat" 2> /dev/null) || continue
    w=$(awk '/^voluntary_ctxt_switches/ {print $2}' "$task/status" 2> /dev/null) || continue
    [ -n "$t" ] && echo "${task##*/} $name $t $w"
  done
}

measure() { # NAME COMMAND...: CPU of gadget and X server while COMMAND runs
  local name=$1
  shift
  local g0 x0 w0 t0 t1
  thread_ticks > "$SANDBOX/threads0.txt"
  g0=$(process_ticks "$GADGET_PID"); x0=$(process_ticks "$xvfb_pid"); w0=$(process_switches "$GADGET_PID"); t0=$(date +%s.%N)
  "$@"
  t1=$(date +%s.%N)
  local elapsed g x w
  elapsed=$(python3 -c "print($t1 - $t0)")
  g=$(( $(process_ticks "$GADGET_PID") - g0 )); x=$(( $(process_ticks "$xvfb_pid") - x0 )); w=$(( $(process_switches "$GADGET_PID") - w0 ))
  percent "$g" "$elapsed" >> "$SANDBOX/$name-cpu.txt"
  echo "$name for ${elapsed%.*} s: gadget CPU $(percent "$g" "$elapsed") % of one core," \
    "X server $(percent "$x" "$elapsed") %, $(python3 -c "print(round($w / $elapsed, 1))") context switches/s"
  thread_ticks | while read -r tid tname t w; do
    local before switches
    before=$(awk -v tid="$tid" '$1 == tid {print $3}' "$SANDBOX/threads0.txt")
    switches=$(awk -v tid="$tid" '$1 == tid {print $4}' "$SANDBOX/threads0.txt")
    [ -n "$before" ] && [ "$t" -gt "$before" ] &&
      echo "  thread $tid $tname: $(python3 -c "print(f'{($t - $before) / 1e7 / $elapsed:.3f}')") %," \
        "$(python3 -c "print(round(($w - $switches) / $elapsed, 1))") wake-ups/s"
  done || true
  return 0
}

measure idle sleep "$seconds"

# The Xlib and XTest calls both Python helpers below use, with one connection.
cat > "$SANDBOX/xlib_calls.py" << 'PY'
import ctypes
from ctypes import c_char_p, c_int, c_uint, c_ulong, c_void_p, c_ubyte
x11 = ctypes.CDLL('libX11.so.6')
xtst = ctypes.CDLL('libXtst.so.6')
for name, restype, argtypes in [
    ('XOpenDisplay', c_void_p, [c_char_p]),
    ('XStringToKeysym', c_ulong, [c_char_p]),
    ('XKeysymToKeycode', c_ubyte, [c_void_p, c_ulong]),
    ('XFlush', c_int, [c_void_p]),
    ('XSync', c_int, [c_void_p, c_int]),
    ('XDefaultRootWindow', c_ulong, [c_void_p]),
    ('XCreateSimpleWindow', c_ulong, [c_void_p, c_ulong, c_int, c_int, c_uint, c_uint, c_uint, c_ulong, c_ulong]),
    ('XMapWindow', c_int, [c_void_p, c_ulong]),
    ('XSetInputFocus', c_int, [c_void_p, c_ulong, c_int, c_ulong]),
]:
    getattr(x11, name).restype = restype
    getattr(x11, name).argtypes = argtypes
xtst.XTestFakeMotionEvent.argtypes = [c_void_p, c_int, c_int, c_int, c_ulong]
xtst.XTestFakeKeyEvent.argtypes = [c_void_p, c_uint, c_int, c_ulong]
xtst.XTestFakeButtonEvent.argtypes = [c_void_p, c_uint, c_int, c_ulong]
display = x11.XOpenDisplay(None)
PY

# The load: XTest events straight from one client, paced by the clock.
load() {
  PYTHONPATH="$SANDBOX" python3 - "$seconds" > "$SANDBOX/injected.txt" << 'PY'
import math, sys, time
from xlib_calls import display, x11, xtst
letters = [x11.XKeysymToKeycode(display, x11.XStringToKeysym(c.encode())) for c in 'abcdefghijklmnopqrstuvwxyz']
seconds = int(sys.argv[1])
keys = clicks = moves = 0
start = time.monotonic()
for tick in range(seconds * 100):  # every 10 ms
    delay = start + tick / 100 - time.monotonic()
    if delay > 0:
        time.sleep(delay)
    angle = tick * 2 * math.pi / 200
    xtst.XTestFakeMotionEvent(display, -1, int(600 + 300 * math.cos(angle)), int(450 + 250 * math.sin(angle)), 0)
    moves += 1
    if tick % 10 == 5:  # 10 keys/s, pressed and released at once
        code = letters[keys % len(letters)]
        xtst.XTestFakeKeyEvent(display, code, 1, 0)
        xtst.XTestFakeKeyEvent(display, code, 0, 0)
        keys += 1
    if tick % 50 == 25:  # 2 clicks/s
        xtst.XTestFakeButtonEvent(display, 1, 1, 0)
        xtst.XTestFakeButtonEvent(display, 1, 0, 0)
        clicks += 1
    x11.XFlush(display)
print(keys, clicks, moves)
PY
}
# The user types and clicks in another program, as in real use (after
# start-up the gadget's tile has the focus): a plain window under the
# pointer's path stands in for it and holds the focus for all rounds.
PYTHONPATH="$SANDBOX" python3 - << 'PY' &
import time
from xlib_calls import display, x11
window = x11.XCreateSimpleWindow(display, x11.XDefaultRootWindow(display), 250, 150, 700, 600, 0, 0, 0xFFFFFF)
x11.XMapWindow(display, window)
x11.XSync(display, 0)
time.sleep(1)  # until the window manager has shown it
x11.XSetInputFocus(display, window, 2, 0)  # RevertToParent, CurrentTime
x11.XSync(display, 0)
time.sleep(1e6)
PY
E2E_PIDS+=($!)
sleep 3
[ "$(xdotool getwindowfocus)" != "$(wait_for_window '^Pendolux$' 1)" ] || fail "the tile kept the focus"

keys=0 clicks=0 moves=0
for _ in $(seq "$rounds"); do
  measure load load
  read -r k c m < "$SANDBOX/injected.txt"
  keys=$((keys + k)) clicks=$((clicks + c)) moves=$((moves + m))
done
python3 - "$SANDBOX/load-cpu.txt" << 'PY'
import statistics, sys
values = sorted(float(line) for line in open(sys.argv[1]))
print(f"gadget CPU under load over {len(values)} rounds: lowest {values[0]:.3f} %, median {statistics.median(values):.3f} %, highest {values[-1]:.3f} %")
PY
sleep 6  # the next save
counted_keys=$(config_int 302 4)
counted_clicks=$(config_int 306 4)
echo "injected $keys key presses, $clicks clicks, $moves pointer moves;" \
  "counted $counted_keys keystrokes, $counted_clicks clicks, $(config_int 310 4) cm"
echo "X server alone (before the gadget started): $(percent "$x_alone" "$seconds") %"
[ "$counted_keys" -eq "$keys" ] && [ "$counted_clicks" -eq "$clicks" ] || { echo "presses lost"; exit 1; }

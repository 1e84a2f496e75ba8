#!/usr/bin/env bash
# Whole-process cost of an idle gadget: starts it in a virtual display
# (Xvfb + icewm), lets it settle, then reads /proc for 60 s (or $1 seconds):
# CPU of the gadget and of the X server, resident memory, wake-ups.
# Usage: bench/idle_process.sh [SECONDS] [BINARY]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
seconds=${1:-60}
binary=${2:-$root/build/pendolux}
source "$root/tests/e2e/lib.sh"

start_desktop
xvfb_pid=${E2E_PIDS[0]}
make_sandbox "$binary"
# A calibrated record, so the first-start path does not wait for an answer.
write_config logging=1
xdotool mousemove 10 10

# X server alone first, for the comparison.
sleep 2
x_alone_start=$(process_ticks "$xvfb_pid")
sleep 10
x_alone=$(( $(process_ticks "$xvfb_pid") - x_alone_start ))

start_gadget
sleep 5
hz=$(getconf CLK_TCK)
g_start=$(process_ticks "$GADGET_PID")
x_start=$(process_ticks "$xvfb_pid")
w_start=$(process_switches "$GADGET_PID")
sleep "$seconds"
g_used=$(( $(process_ticks "$GADGET_PID") - g_start ))
x_used=$(( $(process_ticks "$xvfb_pid") - x_start ))
wakeups=$(( $(process_switches "$GADGET_PID") - w_start ))
rss_kb=$(awk '/VmRSS/ {print $2}' "/proc/$GADGET_PID/status")
threads=$(awk '/Threads/ {print $2}' "/proc/$GADGET_PID/status")

python3 - "$g_used" "$x_used" "$x_alone" "$hz" "$seconds" "$rss_kb" "$wakeups" "$threads" << 'PY'
import sys
g, x, xa, hz, s, rss, wake, threads = map(int, sys.argv[1:])
print(f"idle for {s} s: gadget CPU {100.0 * g / hz / s:.3f} % of one core "
      f"(target <= 0.5 %), RSS {rss / 1024:.1f} MB (target <= 60 MB), threads {threads}, "
      f"{wake / s:.1f} context switches/s")
print(f"X server CPU: {100.0 * x / hz / s:.3f} % with the gadget, {100.0 * xa / hz / 10:.3f} % without")
PY

# Shared helpers of the end-to-end tests. Source it, then call start_desktop.
#   start_desktop            Xvfb (1280 x 1024) + icewm on a free display
#   make_sandbox BINARY      copies the gadget into a fresh folder: $SANDBOX/pendolux
#   start_gadget             starts $SANDBOX/pendolux; sets GADGET_PID
#   wait_for_window NAME [S] waits for a window whose name matches NAME; prints its id
#   answer_first_start       presses OK on the first-start message
#   write_config NAME=VALUE… writes $SANDBOX/config.dat: a 19" 4:3 record calibrated for
#                            1280 x 1024 (no first start), changed by NAME=VALUE pairs
#                            (window=X,Y logging=N on_top=N stamp=TEXT clicks=N …)
#   config_int OFFSET SIZE   reads a little-endian signed integer from $SANDBOX/config.dat
#   config_double OFFSET     reads a double from $SANDBOX/config.dat
#   tray_icon_position       prints "X Y" of the tray icon's centre
#   quit_gadget              "Beenden" from the tray menu; returns the exit code
#   process_ticks PID        CPU clock ticks a process has used (user + system)
#   process_switches PID     context switches of all its threads
#   fail MESSAGE             ends the test with a message
# Everything started is stopped on exit.
set -euo pipefail

E2E_PIDS=()
cleanup_e2e() {
  for pid in "${E2E_PIDS[@]}"; do kill "$pid" 2> /dev/null || true; done
  [ -n "${SANDBOX:-}" ] && rm -rf "$SANDBOX"
}
trap cleanup_e2e EXIT

fail() {
  echo "FAIL: $*" >&2
  if [ -n "${DISPLAY:-}" ]; then
    local shot="/tmp/pendolux-e2e-failure-$(basename "$0" .sh).png"
    import -window root "$shot" 2> /dev/null && echo "screenshot: $shot" >&2
  fi
  exit 1
}

start_desktop() {
  local fd_file
  fd_file=$(mktemp)
  Xvfb -displayfd 3 -screen 0 1280x1024x24 -nolisten tcp 3> "$fd_file" > /dev/null 2>&1 &
  E2E_PIDS+=($!)
  for _ in $(seq 100); do [ -s "$fd_file" ] && break; sleep 0.05; done
  export DISPLAY=":$(head -n1 "$fd_file")"
  rm -f "$fd_file"
  icewm > /dev/null 2>&1 &
  E2E_PIDS+=($!)
  # icewm's tray window shows up once the window manager runs.
  for _ in $(seq 100); do
    xprop -root _NET_SUPPORTING_WM_CHECK 2> /dev/null | grep -q window && break
    sleep 0.05
  done
  sleep 0.5
}

make_sandbox() {
  SANDBOX=$(mktemp -d /tmp/pendolux-e2e-XXXXXX)
  cp "$1" "$SANDBOX/pendolux"
}

start_gadget() {
  # A working directory other than the program folder, on purpose.
  (cd / && exec "$SANDBOX/pendolux") > "$SANDBOX/stdout.log" 2> "$SANDBOX/stderr.log" &
  GADGET_PID=$!
  E2E_PIDS+=("$GADGET_PID")
}

wait_for_window() {
  local name=$1 seconds=${2:-10} id
  for _ in $(seq $((seconds * 20))); do
    # Only the gadget's own windows: the window manager's frames may carry the same title.
    id=$(xdotool search --onlyvisible --name "$name" 2> /dev/null | while read -r w; do
      xprop -id "$w" WM_CLASS 2> /dev/null | grep -q '"pendolux"' && echo "$w"
    done | head -n1 || true)
    if [ -n "$id" ]; then
      echo "$id"
      return 0
    fi
    sleep 0.05
  done
  return 1
}

answer_first_start() {
  local box
  box=$(wait_for_window "^Monitorgr" 10) || fail "the first-start message did not appear"
  xdotool windowactivate --sync "$box" key Return
  sleep 0.5
}

write_config() {
  python3 - "$SANDBOX/config.dat" "$@" << 'PY'
import struct, sys
values = dict(text_color='100,100,100', result_color='0,140,200', diagonal='19.0', inches='1',
              aspect='4:3', cm_per_px='0.03,0.028125', window='590,462', keystrokes='0', clicks='0',
              distance='0', stamp='01.01.2020 um 00:00:00', on_top='1', autostart='0', logging='0')
for pair in sys.argv[2:]:
    name, value = pair.split('=', 1)
    assert name in values, name
    values[name] = value
ints = lambda text: [int(v) for v in text.replace(':', ',').split(',')]
data = bytearray(341)
struct.pack_into('<3h3h', data, 0, *ints(values['text_color']), *ints(values['result_color']))
struct.pack_into('<d', data, 267, float(values['diagonal']))
struct.pack_into('<bbb', data, 275, int(values['inches']), *ints(values['aspect']))
struct.pack_into('<dd', data, 278, *[float(v) for v in values['cm_per_px'].split(',')])
struct.pack_into('<iiiii', data, 294, *ints(values['window']), int(values['keystrokes']),
                 int(values['clicks']), int(values['distance']))
data[314:338] = values['stamp'].encode('cp1252')[:24].ljust(24, b'\0')
struct.pack_into('<bbb', data, 338, int(values['on_top']), int(values['autostart']), int(values['logging']))
open(sys.argv[1], 'wb').write(bytes(data))
PY
}

process_ticks() { awk '{print $14 + $15}' "/proc/$1/stat"; }
process_switches() { cat /proc/"$1"/task/*/status | awk '/ctxt_switches/ {s += $2} END {print s}'; }

config_int() {
  python3 - "$SANDBOX/config.dat" "$1" "$2" << 'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
offset, size = int(sys.argv[2]), int(sys.argv[3])
print(int.from_bytes(data[offset:offset + size], 'little', signed=True))
PY
}

config_double() {
  python3 - "$SANDBOX/config.dat" "$1" << 'PY'
import struct, sys
data = open(sys.argv[1], 'rb').read()
print(repr(struct.unpack_from('<d', data, int(sys.argv[2]))[0]))
PY
}

tray_icon_position() {
  # Qt's XEmbed tray window is the only client window of 22 x 22 or smaller
  # docked in icewm's tray; find it through its WM_CLASS.
  local id
  for _ in $(seq 300); do  # up to ~30 s: icewm docks late on a busy machine
    id=$(xdotool search --class "pendolux" 2> /dev/null | while read -r w; do
      geom=$(xdotool getwindowgeometry "$w" 2> /dev/null | awk '/Geometry/ {print $2}')
      w_=${geom%x*}
      h_=${geom#*x}
      if [ -n "$geom" ] && [ "$w_" -le 32 ] && [ "$h_" -le 32 ]; then echo "$w"; fi
    done | head -n1)
    [ -n "$id" ] && break
    sleep 0.1
  done
  [ -n "$id" ] || return 1
  eval "$(xdotool getwindowgeometry --shell "$id")"
  echo "$((X + WIDTH / 2)) $((Y + HEIGHT / 2))"
}

quit_gadget() {
  local pos
  pos=$(tray_icon_position) || fail "no tray icon"
  # shellcheck disable=SC2086
  xdotool mousemove $pos click 3
  sleep 0.7
  # "Beenden" is the last of the six items.
  xdotool key Up Return
  local code=0
  wait "$GADGET_PID" || code=$?
  return $code
}

#!/usr/bin/env bash
# Counting as a user sees it: typed text, Shift/Ctrl/AltGr combinations,
# zero-length presses, held keys (one since before the start), clicks with every
# button, the German layout, and a pointer path
# on a calibrated record; checked in the record the gadget saves.
source "$(dirname "$0")/lib.sh"
start_desktop
make_sandbox "$1"

# A calibrated record: 19" 4:3 at 1280 x 1024 gives 0.03 and 0.028125 cm per pixel.
# Meter out of the way, not topmost; totals 7 keystrokes, 3 clicks, 100 cm.
write_config window=1100,850 on_top=0 keystrokes=7 clicks=3 distance=100

totals() { echo "$(config_int 302 4) $(config_int 306 4) $(config_int 310 4)"; }

wait_for_totals() { # "KEYSTROKES CLICKS DISTANCE" as the next saves write them
  for _ in $(seq 120); do
    [ "$(totals)" = "$1" ] && return 0
    sleep 0.1
  done
  fail "saved totals are '$(totals)', expected '$1' ($2)"
}

xdotool mousemove 100 100
# A key held while the gadget starts counts once.
xdotool keydown Shift_L
start_gadget
wait_for_window '^Pendolux$' 10 > /dev/null || fail "no meter window"
grep -qi xinput "$SANDBOX/stderr.log" && fail "input not available: $(cat "$SANDBOX/stderr.log")"
sleep 0.5
xdotool keyup Shift_L

# 11 + Shift+A 2 + left Ctrl+C 1 + right Ctrl+C 2 + AltGr+Q 2 + both Shifts 1.
xdotool type --delay 40 'hello world'
xdotool key --delay 40 shift+a ctrl+c Control_R+c ISO_Level3_Shift+q Shift_L+Shift_R
# Zero-length presses, the same key again 20 ms later, and a key held for a second.
xdotool key --delay 20 x y z a a a
xdotool keydown b
sleep 1
xdotool keyup b
wait_for_totals "$((7 + 1 + 19 + 7)) 3 100" "keys"

# The German layout, switched while the gadget runs: umlauts, sharp s, Shift+Ö,
# and AltGr+Q on the right Alt key, which is AltGr there.
setxkbmap de || fail "setxkbmap de failed"
xdotool key --delay 40 odiaeresis udiaeresis ssharp shift+odiaeresis
xdotool keydown --delay 40 ISO_Level3_Shift q
xdotool keyup --delay 40 q ISO_Level3_Shift
setxkbmap us
wait_for_totals "$((34 + 5 + 2)) 3 100" "German layout"

# Clicks: left, a double-click, middle, right, both extra buttons; the wheel is no click.
xdotool click 1
sleep 0.1
xdotool click --repeat 2 --delay 80 1
sleep 0.1
xdotool click 2 key Escape click 3 key Escape click 8 click 9 click 4 click 5 click 6 click 7
wait_for_totals "$((41 + 2)) $((3 + 7)) 100" "clicks"

# A pointer path, each corner held long enough to be sampled:
# (3, 3) -> (18, 3) cm: 15; -> (18, 25): 22; -> (3, 3): round(26.63) = 27.
for corner in "600 100" "600 900" "100 100"; do
  xdotool mousemove $corner
  sleep 0.3
done
wait_for_totals "43 10 $((100 + 64))" "pointer path"

# "Beenden" takes a right click on the tray icon and Up, Return on the menu.
quit_gadget || fail "the gadget did not end cleanly"
read -r keys clicks distance <<< "$(totals)"
[ "$clicks" -eq 11 ] || fail "clicks after Beenden: $clicks, expected 11"
# The Return that picks "Beenden" may be saved or not.
[ "$keys" -ge 44 ] && [ "$keys" -le 45 ] || fail "keystrokes after Beenden: $keys, expected 44 or 45"
[ "$distance" -ge 164 ] || fail "distance after Beenden: $distance"
echo "PASS counting: $keys keystrokes, $clicks clicks, $distance cm"

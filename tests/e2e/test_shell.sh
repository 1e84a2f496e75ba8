#!/usr/bin/env bash
# The gadget as a user first meets it: first start, tile, tray menu, hiding,
# dragging, restart at the new place, Alt+F4 ignored, "Beenden".
source "$(dirname "$0")/lib.sh"
start_desktop
make_sandbox "$1"

meter_geometry() { # prints "X Y" of the visible meter window, or nothing
  local id
  id=$(xdotool search --onlyvisible --name '^Pendolux$' 2> /dev/null | head -n1 || true)
  [ -n "$id" ] || return 1
  eval "$(xdotool getwindowgeometry --shell "$id")"
  echo "$X $Y"
}

wait_for_meter_at() { # X Y
  for _ in $(seq 60); do
    [ "$(meter_geometry || true)" = "$1 $2" ] && return 0
    sleep 0.1
  done
  fail "meter not at $1 $2 (it is at '$(meter_geometry || true)')"
}

# First start: config.dat at once with 0 bytes, the message before any window.
start_gadget
box=$(wait_for_window "^Monitorgr" 10) || fail "no first-start message"
[ -f "$SANDBOX/config.dat" ] || fail "config.dat not created at once"
[ "$(stat -c %s "$SANDBOX/config.dat")" -eq 0 ] || fail "config.dat not empty while the message is open"
meter_geometry > /dev/null && fail "the meter appeared before the message was answered"
xdotool windowactivate --sync "$box" key Return
started=$(date +%s)

# The settings dialog follows; close it with its close box.
if dialog=$(wait_for_window "^Einstellungen$" 10); then
  xdotool windowactivate --sync "$dialog" key alt+F4
fi

# Centred on the 1280 x 1024 screen.
wait_for_meter_at 590 462
for _ in $(seq 80); do
  [ "$(stat -c %s "$SANDBOX/config.dat")" -eq 341 ] && break
  sleep 0.1
done
[ "$(stat -c %s "$SANDBOX/config.dat")" -eq 341 ] || fail "config.dat not written with 341 bytes"
[ $(( $(date +%s) - started )) -le 7 ] || fail "first save came late"
[ "$(config_int 294 4) $(config_int 298 4)" = "590 462" ] || fail "window position not saved"
[ "$(config_int 0 2) $(config_int 8 2) $(config_int 338 1) $(config_int 340 1)" = "100 140 1 1" ] ||
  fail "first-start defaults not saved"

# The tray menu opens at the pointer on a right click.
pos=$(tray_icon_position) || fail "no tray icon"
popups_before=$(xdotool search --onlyvisible --class pendolux 2> /dev/null | wc -l)
# shellcheck disable=SC2086
xdotool mousemove $pos click 3
sleep 0.7
popups_after=$(xdotool search --onlyvisible --class pendolux 2> /dev/null | wc -l)
[ "$popups_after" -gt "$popups_before" ] || fail "no popup menu"
import -window root "$SANDBOX/menu.png"
xdotool key Escape
sleep 0.3

# A double-click on the icon hides the tile, the next one shows it again.
# shellcheck disable=SC2086
xdotool mousemove $pos click --repeat 2 --delay 80 1
for _ in $(seq 30); do meter_geometry > /dev/null || break; sleep 0.1; done
meter_geometry > /dev/null && fail "double-click did not hide the meter"
# shellcheck disable=SC2086
xdotool mousemove $pos click --repeat 2 --delay 80 1
wait_for_meter_at 590 462

# Alt+F4 on the tile does nothing.
meter=$(xdotool search --onlyvisible --name '^Pendolux$' | head -n1)
xdotool mousemove 640 512 click 1
sleep 0.3
xdotool windowactivate "$meter" 2> /dev/null || true
xdotool key alt+F4
sleep 0.5
wait_for_meter_at 590 462
kill -0 "$GADGET_PID" || fail "Alt+F4 ended the program"

# Drag the tile by its centre; the position is stored when the button is released.
xdotool mousemove 640 512 mousedown 1
sleep 0.2
for step in 1 2 3 4 5 6 7 8; do
  xdotool mousemove $((640 - step * 40)) $((512 - step * 25))
  sleep 0.06
done
sleep 0.2
xdotool mouseup 1
sleep 0.5
wait_for_meter_at 270 262
for _ in $(seq 30); do [ "$(config_int 294 4) $(config_int 298 4)" = "270 262" ] && break; sleep 0.1; done
[ "$(config_int 294 4) $(config_int 298 4)" = "270 262" ] || fail "dragged position not saved"
xdotool mousemove 900 900

# "Beenden" ends with exit code 0; the next start opens the tile where it was left.
quit_gadget || fail "Beenden ended with exit code $?"
start_gadget
wait_for_meter_at 270 262
wait_for_window "^Monitorgr" 1 > /dev/null && fail "first-start message on a second start"

# SIGTERM saves like "Beenden".
kill -TERM "$GADGET_PID"
code=0
wait "$GADGET_PID" || code=$?
[ "$code" -eq 0 ] || fail "SIGTERM ended with exit code $code"

# The session ends: the display goes away under the running gadget. It saves
# what it counted since the last save and ends with exit code 0.
clicks_before=$(config_int 306 4)
start_gadget
wait_for_meter_at 270 262
sleep 1  # the sampler starts right after the meter shows
xdotool mousemove 900 700
sleep 0.3
xdotool click --repeat 2 --delay 100 1
sleep 0.5
kill -TERM "${E2E_PIDS[0]}"
code=0
wait "$GADGET_PID" || code=$?
[ "$code" -eq 0 ] || fail "losing the display ended with exit code $code"
[ "$(config_int 306 4)" -eq $((clicks_before + 2)) ] || fail "clicks before the display went away were not saved ($clicks_before before, $(config_int 306 4) after)"
echo "PASS"

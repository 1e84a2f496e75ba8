#!/usr/bin/env bash
# The settings dialog as a user meets it: after the first-start message, then
# typed values applied with "Anwenden", the calibration they give, and the
# pointer travel counted with it. Two dialogs from the tray menu at once.
source "$(dirname "$0")/lib.sh"
start_desktop
make_sandbox "$1"

settings_windows() { xdotool search --onlyvisible --name '^Einstellungen$' 2> /dev/null || true; }

wait_for_no_settings() {
  for _ in $(seq 50); do
    [ -z "$(settings_windows)" ] && return 0
    sleep 0.1
  done
  fail "$1"
}

# Clicks a point given in the dialog's inner coordinates.
click_in() { # WINDOW X Y
  xdotool mousemove --window "$1" "$2" "$3" click 1
  sleep 0.2
}

# Inner coordinates of the middle of each control: frame + its border + place.
logging_box="105 65"
inch_box="153 169"
aspect_box="153 191"
apply_button="150 218"

start_gadget
box=$(wait_for_window "^Monitorgr" 10) || fail "no first-start message"
[ -z "$(settings_windows)" ] || fail "the dialog opened before the message was answered"
xdotool windowactivate --sync "$box" key Return

dialog=$(wait_for_window '^Einstellungen$' 10) || fail "no settings dialog after the message"
eval "$(xdotool getwindowgeometry --shell "$dialog")"
[ "$WIDTH $HEIGHT" = "300 230" ] || fail "inner size is $WIDTH x $HEIGHT"
# Centred on the 1280 x 1024 screen, give or take the caption bar.
[ $((X + 150)) -ge 620 ] && [ $((X + 150)) -le 660 ] || fail "not centred horizontally (x $X)"
[ $((Y + 115)) -ge 480 ] && [ $((Y + 115)) -le 545 ] || fail "not centred vertically (y $Y)"

xdotool windowactivate --sync "$dialog" 2> /dev/null || true
# shellcheck disable=SC2086
click_in "$dialog" $inch_box
xdotool key --delay 30 ctrl+a BackSpace
xdotool type --delay 60 '22'
# shellcheck disable=SC2086
click_in "$dialog" $aspect_box
xdotool key --delay 30 ctrl+a BackSpace
xdotool type --delay 60 '16:10'
# shellcheck disable=SC2086
click_in "$dialog" $apply_button
wait_for_no_settings "the dialog stayed open after Anwenden"

# "Anwenden" saves at once.
for _ in $(seq 50); do
  [ -s "$SANDBOX/config.dat" ] && [ "$(config_double 267)" = "22.0" ] && break
  sleep 0.1
done
[ "$(config_double 267)" = "22.0" ] || fail "diagonal saved as $(config_double 267)"
[ "$(config_int 275 1) $(config_int 276 1) $(config_int 277 1)" = "1 16 10" ] ||
  fail "unit and aspect saved as $(config_int 275 1) $(config_int 276 1) $(config_int 277 1)"
[ "$(config_int 338 1) $(config_int 339 1) $(config_int 340 1)" = "1 0 1" ] || fail "switches changed"
python3 - "$SANDBOX/config.dat" << 'PY' || fail "calibration factors wrong"
import math, struct, sys
x, y = struct.unpack_from('<dd', open(sys.argv[1], 'rb').read(), 278)
unit = 56 / math.sqrt(16 * 16 + 10 * 10)  # 22 in = 56 cm
assert abs(x - unit * 16 / 1280) < 1e-12 and abs(y - unit * 10 / 1024) < 1e-12, (x, y)
PY

# Pointer travel in the new scale: from (100, 100) to (1100, 100) to (1100, 600).
saved_at() { stat -c %.9Y "$SANDBOX/config.dat"; }
xdotool mousemove 100 100
sleep 0.3
before=$(saved_at)
for _ in $(seq 80); do
  [ "$(saved_at)" != "$before" ] && break
  sleep 0.1
done
start_distance=$(config_int 310 4)
xdotool mousemove 1100 100
sleep 0.3
xdotool mousemove 1100 600
sleep 0.3
expected=$(python3 - << 'PY'
import math
unit = 56 / math.sqrt(356)
fx, fy = unit * 16 / 1280, unit * 10 / 1024
cx = lambda px: round(px * fx)
cy = lambda px: round(px * fy)
print(cx(1100) - cx(100) + cy(600) - cy(100))
PY
)
for _ in $(seq 80); do
  [ "$(config_int 310 4)" -eq $((start_distance + expected)) ] && break
  sleep 0.1
done
[ "$(config_int 310 4)" -eq $((start_distance + expected)) ] ||
  fail "distance went from $start_distance to $(config_int 310 4), expected +$expected"

open_from_menu() { # "Einstellungen" is the first item of the tray menu
  local pos
  pos=$(tray_icon_position) || fail "no tray icon"
  # shellcheck disable=SC2086
  xdotool mousemove $pos click 3
  sleep 0.7
  xdotool key Down Return
  sleep 0.7
}

# "Einstellungen" twice from the tray menu: two dialogs at once.
open_from_menu
open_from_menu
for _ in $(seq 50); do
  [ "$(settings_windows | wc -l)" -eq 2 ] && break
  sleep 0.1
done
[ "$(settings_windows | wc -l)" -eq 2 ] || fail "$(settings_windows | wc -l) settings dialogs open, expected 2"

# The close box applies nothing, whatever was changed in the dialog.
first=$(settings_windows | head -n1)
xdotool windowactivate --sync "$first" 2> /dev/null || true
# shellcheck disable=SC2086
click_in "$first" $logging_box
# shellcheck disable=SC2086
click_in "$first" $inch_box
xdotool key --delay 30 ctrl+a BackSpace
xdotool type --delay 60 '30'
for window in $(settings_windows); do
  xdotool windowactivate --sync "$window" 2> /dev/null || true
  xdotool key alt+F4
  sleep 0.3
done
wait_for_no_settings "the close box left a dialog open"
sleep 0.5
[ "$(config_double 267) $(config_int 276 1) $(config_int 277 1) $(config_int 340 1)" = "22.0 16 10 1" ] ||
  fail "closing changed the record"

# "Beenden" while a dialog is open ends the program all the same.
open_from_menu
wait_for_window '^Einstellungen$' 10 > /dev/null || fail "no dialog from the menu"
quit_gadget || fail "the gadget did not end cleanly with a dialog open"

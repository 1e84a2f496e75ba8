#!/usr/bin/env bash
# The usage log, the reset question and the Info box as a user meets them:
# keys and clicks land in the first record of log.dat, "Zurücksetzen" -> No
# changes nothing, -> Yes zeroes and stamps the saved record, "Info" opens once.
source "$(dirname "$0")/lib.sh"
start_desktop
make_sandbox "$1"

stamp() { # the reset stamp in config.dat, up to its first zero byte
  python3 -c "import sys; d=open(sys.argv[1],'rb').read()[314:338]; print(d.split(b'\0')[0].decode('cp1252'))" \
    "$SANDBOX/config.dat"
}

stamp_is_now() { # STAMP: within 10 s of the local time now
  python3 - "$1" << 'PY'
import datetime, sys
stamp = datetime.datetime.strptime(sys.argv[1], "%d.%m.%Y um %H:%M:%S")
sys.exit(0 if abs((datetime.datetime.now() - stamp).total_seconds()) <= 10 else 1)
PY
}

menu_item() { # N: picks the N-th item of the tray menu with the keyboard
  local pos
  pos=$(tray_icon_position) || fail "no tray icon"
  # shellcheck disable=SC2086
  xdotool mousemove $pos click 3
  sleep 0.7
  local keys=()
  for _ in $(seq "$1"); do keys+=(Down); done
  xdotool key "${keys[@]}" Return
}

answer_reset_question() { # KEY: Return answers Yes (the default), Escape answers No
  local box
  box=$(wait_for_window "^Zur.*cksetzen$" 10) || fail "no reset question"
  xdotool windowactivate --sync "$box" 2> /dev/null || true
  xdotool key "$1"
  for _ in $(seq 50); do wait_for_window "^Zur.*cksetzen$" 0 > /dev/null || return 0; sleep 0.1; done
  fail "the reset question stayed open"
}

start_gadget
started=$(date +%s)
box=$(wait_for_window "^Monitorgr" 10) || fail "no first-start message"
xdotool windowactivate --sync "$box" key Return
dialog=$(wait_for_window "^Einstellungen$" 10) || fail "no settings dialog after the first start"
wait_for_window '^Pendolux$' 10 > /dev/null || fail "no meter window"
sleep 0.5
# A monitor of 22 inches, 16:10, applied with "Anwenden", so that pointer
# travel counts: three left clicks, keys including the left Shift for ":".
xdotool windowactivate --sync "$dialog" 2> /dev/null || true
xdotool mousemove --window "$dialog" 153 169 click 1
xdotool key --delay 30 ctrl+a BackSpace
xdotool type --delay 60 '22'
xdotool mousemove --window "$dialog" 153 191 click 1
xdotool key --delay 30 ctrl+a BackSpace
xdotool type --delay 60 '16:10'
xdotool mousemove --window "$dialog" 150 218 click 1
for _ in $(seq 50); do wait_for_window "^Einstellungen$" 0 > /dev/null || break; sleep 0.1; done
wait_for_window "^Einstellungen$" 0 > /dev/null && fail "the settings dialog stayed open"
for _ in $(seq 80); do [ "$(stat -c %s "$SANDBOX/config.dat")" -eq 341 ] && break; sleep 0.1; done
[ "$(config_int 340 1)" = 1 ] || fail "logging is not on after the first start"
first_stamp=$(stamp)
stamp_is_now "$first_stamp" || fail "first-start stamp '$first_stamp' is not the start time"

# Counted input: three more left clicks on the bare desktop, five Q presses (one with
# the left Shift) and some pointer travel.
for _ in 1 2 3; do xdotool mousemove 1100 150 click 1; sleep 0.1; done
xdotool key q q q q shift+q
for x in 100 1200 100 1200; do xdotool mousemove "$x" 800; sleep 0.1; done
sleep 0.5

# "Zurücksetzen" -> No: nothing is zeroed, the stamp stays.
keystrokes_before=$(config_int 302 4)
menu_item 4
answer_reset_question Escape
sleep 5.5 # one save period
[ "$(stamp)" = "$first_stamp" ] || fail "No changed the stamp"
[ "$(config_int 302 4)" -ge "$keystrokes_before" ] || fail "No zeroed the keystrokes"
[ "$(config_int 306 4)" -ge 3 ] || fail "No zeroed the clicks"

# "Info" twice while the first box is open: one box.
menu_item 5
info=$(wait_for_window "^Info$" 10) || fail "no Info box"
menu_item 5
sleep 1
[ "$(xdotool search --onlyvisible --name '^Info$' | wc -l)" -eq 1 ] || fail "Info opened more than one box"
import -window root "$SANDBOX/info.png"
xdotool windowactivate --sync "$info" 2> /dev/null || true
xdotool key Return
for _ in $(seq 50); do wait_for_window "^Info$" 0 > /dev/null || break; sleep 0.1; done
wait_for_window "^Info$" 0 > /dev/null && fail "the Info box did not close"

# The first record, a minute after start-up.
for _ in $(seq 400); do
  [ -s "$SANDBOX/log.dat" ] && break
  [ $(( $(date +%s) - started )) -gt 90 ] && break
  sleep 0.25
done
[ -s "$SANDBOX/log.dat" ] || fail "no usage record within 90 s"
sleep 0.5
python3 - "$SANDBOX/log.dat" << 'PY' || fail "the first usage record does not hold the input"
import calendar, struct, sys, time
data = open(sys.argv[1], 'rb').read()
when, delta = struct.unpack_from('<iH', data, 0)
pairs, at = {}, 6
while True:
    code, = struct.unpack_from('<H', data, at)
    if code == 0:
        break
    pairs[code] = struct.unpack_from('<H', data, at + 2)[0]
    at += 4
print("record:", when, delta, pairs, "length", at + 2, "of", len(data))
now = calendar.timegm(time.localtime())
problems = []
if abs(now - when) > 30: problems.append("time %d is not local seconds now (%d)" % (when, now))
if delta <= 0: problems.append("no distance")
if pairs.get(81) != 5: problems.append("Q pressed 5 times")
if not pairs.get(160) or pairs.get(16) != pairs.get(160): problems.append("left Shift gives 16 and 160 alike")
if pairs.get(1) != 6: problems.append("6 left clicks")
if any(code in pairs for code in (0, 5, 6, 17, 18, 161)): problems.append("unloggable code")
if list(pairs) != sorted(pairs): problems.append("codes not ascending")
if len(data) != at + 2: problems.append("more than one record")
for p in problems: print("  ", p)
sys.exit(1 if problems else 0)
PY

# "Zurücksetzen" -> Yes: the saved record has zero totals, logging on, a new stamp.
[ "$(config_int 302 4)" -gt 0 ] || fail "no keystrokes counted before the reset"
menu_item 4
answer_reset_question Return
reset_stamp=$(stamp)
[ "$reset_stamp" != "$first_stamp" ] || fail "Yes did not stamp the reset"
stamp_is_now "$reset_stamp" || fail "reset stamp '$reset_stamp' is not the time of the reset"
# The answer's own key press may count after the reset.
[ "$(config_int 302 4)" -le 1 ] || fail "keystrokes not zeroed: $(config_int 302 4)"
[ "$(config_int 306 4)" -eq 0 ] || fail "clicks not zeroed: $(config_int 306 4)"
[ "$(config_int 310 4)" -le 1 ] || fail "distance not zeroed: $(config_int 310 4)"
[ "$(config_int 340 1)" -eq 1 ] || fail "logging not on after the reset"

quit_gadget || fail "Beenden ended with exit code $?"
echo "PASS"

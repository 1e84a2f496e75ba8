#!/usr/bin/env bash
# Skins as a user makes and uses them: "Skin erstellen" turns a 100 x 100 PNG
# into a skin file in the skins folder, "Skin laden" lists and applies it, the
# meter shows the picture at once and again after a restart.
source "$(dirname "$0")/lib.sh"
start_desktop
make_sandbox "$1"

# A record that skips the first start; meter at (100, 100), away from the
# dialogs in the middle of the screen.
write_config window=100,100

# The skin picture: 100 x 100, one colour (200, 30, 120), 8-bit RGB.
python3 - "$SANDBOX/picture.png" << 'PY'
import struct, sys, zlib
def chunk(kind, data):
    return struct.pack('>I', len(data)) + kind + data + struct.pack('>I', zlib.crc32(kind + data))
rows = b''.join(b'\0' + bytes([200, 30, 120]) * 100 for _ in range(100))
png = (b'\x89PNG\r\n\x1a\n' + chunk(b'IHDR', struct.pack('>IIBBBBB', 100, 100, 8, 2, 0, 0, 0))
       + chunk(b'IDAT', zlib.compress(rows)) + chunk(b'IEND', b''))
open(sys.argv[1], 'wb').write(png)
PY
skin_colour="c81e78"

pixel() { # X Y: the screen's colour there as rrggbb
  import -window root "$SANDBOX/screen.png"
  convert "$SANDBOX/screen.png" -crop "1x1+$1+$2" -depth 8 txt:- | grep -o '#[0-9A-Fa-f]\{6\}' | head -n1 |
    tr -d '#' | tr 'A-F' 'a-f'
}

meter_pixel() { # X Y inside the meter: its colour as rrggbb
  local id
  id=$(wait_for_window '^Pendolux$' 10) || fail "no meter window"
  eval "$(xdotool getwindowgeometry --shell "$id")"
  pixel $((X + $1)) $((Y + $2))
}

wait_for_meter_pixel() { # X Y RRGGBB WHAT: polls until the meter shows that colour there
  local seen=""
  for _ in $(seq 50); do
    seen=$(meter_pixel "$1" "$2")
    [ "$seen" = "$3" ] && return 0
    sleep 0.2
  done
  fail "$4: meter pixel ($1, $2) is $seen, expected $3"
}

menu_item() { # N: the N-th item of the tray menu, picked with the keyboard
  local pos keys=()
  pos=$(tray_icon_position) || fail "no tray icon"
  # shellcheck disable=SC2086
  xdotool mousemove $pos click 3
  sleep 0.7
  for _ in $(seq "$1"); do keys+=(Down); done
  xdotool key "${keys[@]}" Return
}

click_in() { # WINDOW X Y: a left click at inner coordinates of the window
  xdotool mousemove --window "$1" "$2" "$3" click 1
}

type_file_name() { # TITLE PATH: types the path into the file dialog of that title
  local dialog
  dialog=$(wait_for_window "^$1\$" 10) || fail "no file dialog '$1'"
  xdotool windowactivate --sync "$dialog" 2> /dev/null || true
  sleep 0.3
  xdotool type --delay 20 "$2"
  sleep 0.3
  xdotool key Return
}

wait_until_gone() { # NAME WHAT
  for _ in $(seq 50); do
    wait_for_window "$1" 0 > /dev/null || return 0
    sleep 0.1
  done
  fail "$2 stayed open"
}

start_gadget
wait_for_window '^Pendolux$' 10 > /dev/null || fail "no meter window"
[ -d "$SANDBOX/skins" ] || fail "the skins folder was not created at start-up"
# The built-in skin is dark grey, nothing like the new picture.
[ "$(meter_pixel 50 97)" != "$skin_colour" ] || fail "the meter shows the new colour before anything happened"

# "Skin erstellen": open the picture, save it as skins/E2E (".pxk" is added).
menu_item 3
creator=$(wait_for_window '^Skin erstellen$' 10) || fail "no skin creator"
click_in "$creator" 50 14  # "Grafik öffnen"
type_file_name "Grafik laden" "$SANDBOX/picture.png"
wait_until_gone '^Grafik laden$' "the open dialog"
eval "$(xdotool getwindowgeometry --shell "$creator")"
for _ in $(seq 30); do [ "$(pixel $((X + 150)) $((Y + 99)))" = "$skin_colour" ] && break; sleep 0.2; done
[ "$(pixel $((X + 150)) $((Y + 99)))" = "$skin_colour" ] || fail "the creator's preview does not show the picture"
click_in "$creator" 50 114  # "Speichern"
type_file_name "Speichern" "$SANDBOX/skins/E2E"
wait_until_gone '^Skin erstellen$' "the skin creator"
[ -f "$SANDBOX/skins/E2E.pxk" ] || fail "no skin file skins/E2E.pxk: $(ls "$SANDBOX/skins")"
[ "$(stat -c %s "$SANDBOX/skins/E2E.pxk")" -eq $(($(stat -c %s "$SANDBOX/picture.png") + 21)) ] ||
  fail "the skin file is not 21 bytes longer than the picture"

# "Skin laden": "Standard" first, then E2E; select it and apply.
menu_item 2
chooser=$(wait_for_window '^Skin laden$' 10) || fail "no skin chooser"
# Centred on the 1280 x 1024 screen (the frame shifts the inner area a little).
eval "$(xdotool getwindowgeometry --shell "$chooser")"
[ $((X + WIDTH / 2 - 640)) -ge -12 ] && [ $((X + WIDTH / 2 - 640)) -le 12 ] &&
  [ $((Y + HEIGHT / 2 - 512)) -ge -25 ] && [ $((Y + HEIGHT / 2 - 512)) -le 25 ] ||
  fail "the chooser is not centred: ${WIDTH}x${HEIGHT} at $X,$Y"
[ "$WIDTH $HEIGHT" = "303 128" ] || fail "the chooser's inner size is ${WIDTH}x${HEIGHT}"
click_in "$chooser" 40 10  # the first entry, "Standard"
sleep 0.3
xdotool key Down           # the next one, E2E
sleep 0.5
eval "$(xdotool getwindowgeometry --shell "$chooser")"
[ "$(pixel $((X + 250)) $((Y + 99)))" = "$skin_colour" ] || fail "the chooser's preview does not show the skin"
click_in "$chooser" 150 114  # "Anwenden"
wait_until_gone '^Skin laden$' "the skin chooser"

wait_for_meter_pixel 50 97 "$skin_colour" "after Anwenden"
skin_path=$(python3 -c "import sys; print(open(sys.argv[1],'rb').read()[12:267].split(b'\0')[0].decode())" \
  "$SANDBOX/config.dat")
[ "$skin_path" = "$SANDBOX/tmp.dat" ] || fail "skin_path is '$skin_path', expected the scratch file"
# The creator's white captions and values came with the skin.
[ "$(config_int 0 2) $(config_int 2 2) $(config_int 4 2) $(config_int 6 2)" = "255 255 255 255" ] ||
  fail "the skin's colours were not applied"

# After a restart the meter loads the picture from the scratch file again.
quit_gadget || fail "Beenden ended with exit code $?"
start_gadget
wait_for_meter_pixel 50 97 "$skin_colour" "after a restart"
quit_gadget || fail "Beenden ended with exit code $?"
echo "PASS skins"

#!/usr/bin/env bash
# End to end in waybar's tray on a headless sway, with the program on Wayland:
# waybar owns the StatusNotifierWatcher, the icon shows in the bar and animates,
# waybar logs no menu error, a left click opens nothing, a right click opens
# waybar's menu built from the program's exported menu with the four entries and
# the separator, and "Exit" chosen in it ends the program with status 0. The
# pointer is a virtual one, made through sway's virtual pointer protocol.
# sway does not run as root: as root the session runs as an unprivileged user
# (created when missing) from copies of the scripts and the binary. Exits 77 where
# sway cannot start on this machine.
# Usage: waybar.sh <path to glimmerbox>
set -euo pipefail
binary=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)

skip() {
    echo "SKIP: $*"
    exit 77
}

for tool in sway waybar grim python3; do
    command -v "$tool" >/dev/null || skip "$tool is not installed"
done
source "$here/lib.sh"
e2e_as_user "$binary"
e2e_private_bus "$binary"

# Everything of the session in the test's folder; no accessibility bus and no
# dconf, which would outlive the test.
export HOME="$E2E_TMP/home" XDG_RUNTIME_DIR="$E2E_TMP/runtime" XDG_CACHE_HOME="$E2E_TMP/cache"
export NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory QT_QPA_PLATFORM=wayland
unset DISPLAY WAYLAND_DISPLAY SWAYSOCK
mkdir -p "$HOME" "$XDG_CACHE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
width=800 height=600 bar=26

cat >"$E2E_TMP/sway.conf" <<EOF
xwayland disable
output HEADLESS-1 resolution ${width}x${height} position 0 0
EOF
cat >"$E2E_TMP/waybar.json" <<EOF
{ "layer": "top", "position": "top", "height": $bar, "modules-right": ["tray"],
  "tray": { "icon-size": 16, "spacing": 4 } }
EOF
echo 'window#waybar { background: #202020; }' >"$E2E_TMP/waybar.css"

# A pointer for the session, through sway's virtual pointer protocol: reads
# "move X Y" and "press|release BUTTON" (1 left, 3 right) and answers "ok" once
# sway has them.
cat >"$E2E_TMP/pointer.py" <<'EOF'
import os, socket, struct, sys

connection = socket.socket(socket.AF_UNIX, socket.SOCK_STREAM)
connection.connect(os.path.join(os.environ["XDG_RUNTIME_DIR"], os.environ["WAYLAND_DISPLAY"]))
width, height = int(sys.argv[1]), int(sys.argv[2])
last_id = 1
received = b""


def new_id():
    global last_id
    last_id += 1
    return last_id


def send(target, opcode, payload=b""):
    connection.sendall(struct.pack("<II", target, (8 + len(payload)) << 16 | opcode) + payload)


def words(*values):
    return struct.pack("<%dI" % len(values), *values)


def roundtrip(on_event=lambda target, opcode, body: None):
    global received
    done = new_id()
    send(1, 0, words(done))  # wl_display.sync
    while True:
        while len(received) >= 8:
            target, word = struct.unpack_from("<II", received)
            size = word >> 16
            if len(received) < size:
                break
            body, received = received[8:size], received[size:]
            if target == 1 and word & 0xFFFF == 0:
                sys.exit("wayland error %r" % body)
            if target == done:
                return
            on_event(target, word & 0xFFFF, body)
        chunk = connection.recv(4096)
        if not chunk:
            sys.exit("sway closed the connection")
        received += chunk


registry = new_id()
send(1, 1, words(registry))  # wl_display.get_registry
names = {}


def on_global(target, opcode, body):
    if target == registry and opcode == 0:
        name, length = struct.unpack_from("<II", body)
        names[body[8:7 + length].decode()] = name


roundtrip(on_global)
interface = "zwlr_virtual_pointer_manager_v1"
if interface not in names:
    sys.exit("sway offers no virtual pointer")
manager = new_id()
text = interface.encode() + b"\0"
text += b"\0" * (-len(text) % 4)
send(registry, 0, words(names[interface], len(interface) + 1) + text + words(1, manager))  # bind
pointer = new_id()
send(manager, 0, words(0, pointer))  # create_virtual_pointer on the default seat
roundtrip()
print("ok", flush=True)
for line in sys.stdin:
    command, *numbers = line.split()
    if command == "move":
        send(pointer, 1, words(0, int(numbers[0]), int(numbers[1]), width, height))
    else:
        button = {1: 0x110, 2: 0x112, 3: 0x111}[int(numbers[0])]  # BTN_LEFT, _MIDDLE, _RIGHT
        send(pointer, 2, words(0, button, int(command == "press")))
    send(pointer, 4)  # frame
    roundtrip()
    print("ok", flush=True)
EOF

pointer() {
    local reply=
    echo "$*" >&"${POINTER[1]}"
    read -r -t 5 reply <&"${POINTER[0]}" || true
    [ "$reply" = ok ] || fail "the virtual pointer did not take \"$*\""
}

click() { # <x> <y> <button>
    pointer move "$1" "$2"
    pointer press "$3"
    pointer release "$3"
}

# Whether sway is up with its headless output; sets WAYLAND_DISPLAY.
sway_ready() {
    local socket
    socket=$(ls "$XDG_RUNTIME_DIR"/sway-ipc.*.sock 2>/dev/null | head -n 1)
    [ -n "$socket" ] && swaymsg -s "$socket" -t get_outputs 2>/dev/null | grep -q HEADLESS || return 1
    WAYLAND_DISPLAY=$(cd "$XDG_RUNTIME_DIR" && ls wayland-* 2>/dev/null | grep -v '\.lock$' | head -n 1)
    [ -n "$WAYLAND_DISPLAY" ]
}

sway_settled() {
    sway_ready || ! kill -0 "$sway" 2>/dev/null
}

shoot() { # <file> [region "X,Y WxH"]
    grim ${2:+-g "$2"} "$1"
}

echo "-- sway starts headless"
WLR_BACKENDS=headless WLR_LIBINPUT_NO_DEVICES=1 WLR_RENDERER=pixman \
    sway -c "$E2E_TMP/sway.conf" >"$E2E_TMP/sway.log" 2>&1 &
sway=$!
E2E_PIDS+=("$sway")
wait_for 100 sway_settled || true
if ! kill -0 "$sway" 2>/dev/null || ! sway_ready; then
    reason=$(grep -E '\[ERROR\]|error|denied|not supported' "$E2E_TMP/sway.log" | tail -n 1 | cut -c1-160)
    skip "sway cannot start here (${reason:-no output within 10 s})"
fi
export WAYLAND_DISPLAY
echo "sway on $WAYLAND_DISPLAY, as $(id -un)"
coproc POINTER { exec python3 "$E2E_TMP/pointer.py" "$width" "$height" 2>"$E2E_TMP/pointer.log"; }
E2E_PIDS+=("$POINTER_PID")
read -r -t 5 reply <&"${POINTER[0]}" && [ "$reply" = ok ] ||
    fail "no virtual pointer: $(cat "$E2E_TMP/pointer.log")"
park_x=$((width - 1)) park_y=$((height - 1))
pointer move "$park_x" "$park_y" # parked in the corner, out of every picture below

echo "-- waybar's tray owns the StatusNotifierWatcher"
waybar -c "$E2E_TMP/waybar.json" -s "$E2E_TMP/waybar.css" >"$E2E_TMP/waybar.log" 2>&1 &
waybar=$!
E2E_PIDS+=("$waybar")
wait_for 150 name_owned org.kde.StatusNotifierWatcher || fail "no StatusNotifierWatcher on the bus"
[ "$(bus_pid org.kde.StatusNotifierWatcher)" = "$waybar" ] ||
    fail "the watcher is not waybar's"
sleep 0.5 # the bar drawn
shoot "$E2E_TMP/bar-empty.png" "0,0 ${width}x${bar}"
shoot "$E2E_TMP/screen-empty.png"

echo "-- the item registers and its icon shows in the bar, animated"
e2e_start_glimmerbox "$binary"
wait_for 150 registered_item || fail "the program registered no item with the watcher"
read -r service path <<<"$(registered_item)"
echo "item $service$path"
icon_shown() {
    shoot "$E2E_TMP/bar.png" "0,0 ${width}x${bar}" && changed_area "$E2E_TMP/bar-empty.png" "$E2E_TMP/bar.png"
}
wait_for 100 icon_shown || fail "no icon in the bar"
sleep 0.7 # past the first tick, so the first frame is in
icon_shown >/dev/null
read -r ix iy iw ih <<<"$(icon_shown)"
echo "icon ${iw}x${ih}+${ix}+${iy}"
[ "$iw" -ge 12 ] && [ "$iw" -le 32 ] && [ "$ih" -ge 12 ] && [ "$ih" -le 32 ] ||
    fail "the change in the bar is ${iw}x${ih}, not an icon"
shoot "$E2E_TMP/a.png" "$ix,$iy ${iw}x${ih}"
sleep 0.55
shoot "$E2E_TMP/b.png" "$ix,$iy ${iw}x${ih}"
[ "$(pixel_sum "$E2E_TMP/a.png")" != "$(pixel_sum "$E2E_TMP/b.png")" ] ||
    fail "the icon in the bar did not change over a frame"
icon_x=$((ix + iw / 2)) icon_y=$((iy + ih / 2))

echo "-- waybar logged no menu error"
sleep 0.5 # waybar reads the item's menu as soon as the item is added
if grep -E -i "NO_DBUSMENU|Getting layout failed|dbusmenu" "$E2E_TMP/waybar.log"; then
    fail "waybar logged the errors above"
fi

# Changes on the screen besides the animated icon: "X Y W H" of their area.
icon_area="$((ix - 2)) $((iy - 2)) $((iw + 4)) $((ih + 4))"
screen_change() {
    shoot "$E2E_TMP/screen.png" &&
        changed_area "$E2E_TMP/screen-empty.png" "$E2E_TMP/screen.png" "$icon_area"
}

echo "-- a left click opens nothing"
click "$icon_x" "$icon_y" 1
pointer move "$park_x" "$park_y"
sleep 0.8
! area=$(screen_change) || fail "a left click changed the screen at $area"
kill -0 "$GLIMMERBOX_PID" || fail "the program ended after a left click"

echo "-- a right click opens waybar's menu with the program's entries"
click "$icon_x" "$icon_y" 3
pointer move "$park_x" "$park_y" # off the menu, so no entry is highlighted
wait_for 30 screen_change || fail "a right click opened no menu"
sleep 0.3 # drawn
read -r mx my mw mh <<<"$(screen_change)"
convert "$E2E_TMP/screen.png" -crop "${mw}x${mh}+${mx}+${my}" +repage "$E2E_TMP/menu.png"
mapfile -t lines < <(text_lines "$E2E_TMP/menu.png")
echo "menu ${mw}x${mh}+${mx}+${my} with ${#lines[@]} lines of text"
[ "${#lines[@]}" -eq 4 ] || fail "the menu shows ${#lines[@]} lines of text, not the four entries"

echo "-- Exit, the last entry, ends the program with status 0"
read -r top bottom <<<"${lines[3]}"
click "$((mx + mw / 2))" "$((my + (top + bottom) / 2))" 1
exit_status_of "$GLIMMERBOX_PID" 50 || fail "the program did not end after Exit"
[ "$E2E_EXIT_STATUS" -eq 0 ] || fail "the program ended with status $E2E_EXIT_STATUS"
echo "PASS"

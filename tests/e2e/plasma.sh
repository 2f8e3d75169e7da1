#!/usr/bin/env bash
# End to end in KDE Plasma's system tray: kwin_wayland nested in Xvfb, plasmashell on
# it, the StatusNotifierWatcher in kded5, the program on Wayland. The item registers
# and shows in the panel's tray, animated; a right click opens Plasma's menu built
# from the program's exported menu, with the four entries; Exit clicked there ends the
# program with status 0; plasmashell and kded5 log nothing about the item but its
# coming and going. Too heavy for scripts/test (Plasma is some 380 packages, and a
# run takes a minute): run it by hand. Exits 77 where Plasma is not installed or
# kwin_wayland cannot start here.
# Usage: plasma.sh <path to glimmerbox>
set -euo pipefail
binary=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)

skip() {
    echo "SKIP: $*"
    exit 77
}

for tool in kwin_wayland plasmashell kded5 /usr/lib/x86_64-linux-gnu/libexec/kactivitymanagerd; do
    command -v "$tool" >/dev/null || skip "$tool is not installed (plasma-workspace, kwin-wayland, kded5, kactivitymanagerd)"
done
source "$here/lib.sh"
e2e_as_user "$binary"
e2e_private_bus --no-activation "$binary"

export HOME="$E2E_TMP/home" XDG_RUNTIME_DIR="$E2E_TMP/runtime" XDG_CACHE_HOME="$E2E_TMP/cache"
export XDG_CONFIG_HOME="$E2E_TMP/config" XDG_DATA_HOME="$E2E_TMP/data"
export NO_AT_BRIDGE=1 KDE_FULL_SESSION=true XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5
mkdir -p "$HOME" "$XDG_CACHE_HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
e2e_start_display --no-tray

echo "-- kwin_wayland nested in Xvfb, kded5 with the watcher, plasmashell"
# The installed kwin_wayland carries a file capability (cap_sys_resource); where the
# bounding set lacks it the kernel refuses to run it, and a copy without it runs.
cp /usr/bin/kwin_wayland "$E2E_TMP/kwin_wayland"
KWIN_COMPOSE=Q "$E2E_TMP/kwin_wayland" --x11-display "$DISPLAY" --socket wayland-plasma --width 800 --height 600 \
    >"$E2E_TMP/kwin.log" 2>&1 &
kwin=$!
E2E_PIDS+=("$kwin")
wait_for 150 test -S "$XDG_RUNTIME_DIR/wayland-plasma" || true
kill -0 "$kwin" 2>/dev/null && [ -S "$XDG_RUNTIME_DIR/wayland-plasma" ] ||
    skip "kwin_wayland cannot start here: $(grep -v '^$' "$E2E_TMP/kwin.log" | tail -n 1 | cut -c1-200)"
export WAYLAND_DISPLAY=wayland-plasma QT_QPA_PLATFORM=wayland
/usr/lib/x86_64-linux-gnu/libexec/kactivitymanagerd >"$E2E_TMP/activities.log" 2>&1 &
E2E_PIDS+=($!)
kded5 >"$E2E_TMP/kded.log" 2>&1 &
E2E_PIDS+=($!)
wait_for 150 name_owned org.kde.StatusNotifierWatcher || fail "kded5 started no StatusNotifierWatcher"
QT_QUICK_BACKEND=software plasmashell --no-respawn >"$E2E_TMP/plasma.log" 2>&1 &
plasma=$!
E2E_PIDS+=("$plasma")
host_ready() {
    bus_call org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
        org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher \
        IsStatusNotifierHostRegistered | grep -q true
}
wait_for 600 host_ready || fail "plasmashell registered no tray host within 60 s"
echo "Plasma $(plasmashell --version | cut -d' ' -f2) up"
panel_drawn() { # the panel along the bottom edge, drawn
    import -window root -crop 800x44+0+556 +repage "$E2E_TMP/panel-empty.png" &&
        [ "$(convert "$E2E_TMP/panel-empty.png" -format '%[fx:standard_deviation > 0.05]' info:)" = 1 ]
}
wait_for 300 panel_drawn || fail "plasmashell drew no panel"
sleep 3 # the clock and the tray settled
import -window root "$E2E_TMP/screen-empty.png"
kded_lines=$(wc -l <"$E2E_TMP/kded.log") plasma_lines=$(wc -l <"$E2E_TMP/plasma.log")

echo "-- the item registers and shows in the panel's tray, animated"
e2e_start_glimmerbox "$binary" Previous=2 Speed=100
wait_for 150 registered_item || fail "the program registered no item with kded5's watcher"
read -r service path <<<"$(registered_item)"
echo "item $service$path"
clock="700 556 100 44" # the clock's minutes may turn meanwhile
tray_changed() {
    import -window root "$E2E_TMP/screen.png" &&
        changed_area "$E2E_TMP/screen-empty.png" "$E2E_TMP/screen.png" "$clock"
}
wait_for 100 tray_changed || fail "no icon in the panel"
sleep 1
# Between two frames only the icon changes on screen.
import -window root "$E2E_TMP/a.png"
sleep 0.55
import -window root "$E2E_TMP/b.png"
read -r ix iy iw ih <<<"$(changed_area "$E2E_TMP/a.png" "$E2E_TMP/b.png" "$clock")" ||
    fail "the icon in the panel did not change over a frame"
echo "icon ${iw}x${ih}+${ix}+${iy}, animated"
[ "$iy" -ge 556 ] && [ "$iw" -le 32 ] && [ "$ih" -le 32 ] || fail "what changes is not an icon in the panel"

echo "-- a right click opens Plasma's menu with the program's entries"
xdotool mousemove $((ix + iw / 2)) $((iy + ih / 2)) click 3
menu_shown() {
    import -window root "$E2E_TMP/screen.png" &&
        changed_area "$E2E_TMP/screen-empty.png" "$E2E_TMP/screen.png" "$clock" |
        awk '$4 > 60 { ok = 1 } END { exit !ok }'
}
wait_for 50 menu_shown || fail "a right click opened no menu"
xdotool mousemove 10 10
sleep 0.5
import -window root "$E2E_TMP/screen.png"
read -r mx my mw mh <<<"$(changed_area "$E2E_TMP/screen-empty.png" "$E2E_TMP/screen.png" \
    "0 556 800 44")" # the menu, above the panel
convert "$E2E_TMP/screen.png" -crop "${mw}x${mh}+${mx}+${my}" +repage "$E2E_TMP/menu.png"
mapfile -t lines < <(text_lines "$E2E_TMP/menu.png")
echo "menu ${mw}x${mh}+${mx}+${my} with ${#lines[@]} lines of text"
[ "${#lines[@]}" -eq 4 ] || fail "the menu shows ${#lines[@]} lines of text, not the four entries"

echo "-- Exit, the last entry, ends the program with status 0"
read -r top bottom <<<"${lines[-1]}"
xdotool mousemove "$((mx + mw / 2))" "$((my + (top + bottom) / 2))"
sleep 0.3
xdotool click 1
exit_status_of "$GLIMMERBOX_PID" 50 || fail "the program did not end after Exit"
[ "$E2E_EXIT_STATUS" -eq 0 ] || fail "the program ended with status $E2E_EXIT_STATUS"

echo "-- plasmashell and kded5 logged nothing about the item but its coming and going"
if tail -n +"$((plasma_lines + 1))" "$E2E_TMP/plasma.log" | cat - <(tail -n +"$((kded_lines + 1))" "$E2E_TMP/kded.log") |
    grep -v -E "^Registering \"$service/StatusNotifierItem\" to system tray$|^Service +\"$service\" unregistered$" |
    grep -i -E "StatusNotifier|dbusmenu|glimmer|systemtray|$service"; then
    fail "the lines above are about the item"
fi
echo "PASS"

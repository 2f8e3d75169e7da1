#!/usr/bin/env bash
# End to end in KDE Plasma's system tray (plasmashell on kwin_wayland in Xvfb, the
# program on Wayland): the item shows, animated; the pointer over it brings a
# tooltip of one line; a right click opens Plasma's menu with the four entries; Exit
# there ends the program with status 0; plasmashell and kded5 log nothing about it
# but its coming and going. Too heavy for scripts/test (some 380 packages); run it by
# hand. Exits 77 where Plasma cannot run here.
# Usage: plasma.sh <path to glimmerbox>
set -euo pipefail
binary=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)

skip() {
    echo "SKIP: $*"
    exit 77
}

command -v plasmashell >/dev/null || skip "Plasma is not installed (plasma-desktop, kwin-wayland, kded5)"
source "$here/lib.sh"
e2e_as_user "$binary"
e2e_private_bus --no-activation "$binary"

echo "-- kwin_wayland nested in Xvfb, kded5 with the watcher, plasmashell"
e2e_start_plasma
echo "Plasma $(plasmashell --version | cut -d' ' -f2) up"
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

echo "-- the pointer over the icon brings a tooltip of one line, the program's name"
xdotool mousemove $((ix + iw / 2)) $((iy + ih / 2))
tip_shown() {
    import -window root "$E2E_TMP/screen.png" &&
        changed_area "$E2E_TMP/screen-empty.png" "$E2E_TMP/screen.png" "0 556 800 44" >/dev/null
}
wait_for 50 tip_shown || fail "the pointer over the icon brought no tooltip"
sleep 0.5 # faded in
import -window root "$E2E_TMP/screen.png"
read -r tx ty tw th <<<"$(changed_area "$E2E_TMP/screen-empty.png" "$E2E_TMP/screen.png" \
    "0 556 800 44")"
convert "$E2E_TMP/screen.png" -crop "${tw}x${th}+${tx}+${ty}" +repage "$E2E_TMP/tip.png"
mapfile -t lines < <(text_lines "$E2E_TMP/tip.png" 80%) # a greyer body than a menu's
echo "tooltip ${tw}x${th}+${tx}+${ty} with ${#lines[@]} lines of text"
[ "${#lines[@]}" -eq 1 ] || fail "the tooltip shows ${#lines[@]} lines of text, not the name alone"

echo "-- a right click opens Plasma's menu with the program's entries"
xdotool click 3
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

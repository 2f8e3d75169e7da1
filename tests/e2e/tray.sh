#!/usr/bin/env bash
# End to end on a real XEmbed tray: the icon appears and animates, only a right
# button release opens the menu, "Exit" ends the program and empties the slot, and
# Fuzzy T.V at 10 ms really runs fast.
# Usage: tray.sh <path to glimmerbox>
set -euo pipefail
binary=$(realpath "$1")
source "$(dirname "$0")/lib.sh"

e2e_start_display

echo "-- with no settings the icon appears and animates (Aquarium, 500 ms)"
e2e_start_glimmerbox "$binary"
wait_for 100 icon_in_tray || fail "no icon in the tray"
read -r _ _ w h <<<"$(tray_slot)"
echo "icon slot ${w}x${h}"
sleep 0.7 # past the first tick, so the first frame is in
shoot_slot "$E2E_TMP/a.png"
sleep 0.55
shoot_slot "$E2E_TMP/b.png"
[ "$(pixel_sum "$E2E_TMP/a.png")" != "$(pixel_sum "$E2E_TMP/b.png")" ] ||
    fail "two screenshots one frame apart are identical"
opaque=$(convert "$E2E_TMP/b.png" -format '%[fx:mean]' info:)
echo "frames differ; mean brightness of the slot $opaque"

echo "-- left clicks and double clicks do nothing"
click_slot 1
click_slot 1 --repeat 2 --delay 80
sleep 0.5
menu_closed || fail "a left click opened a window"

echo "-- a right click opens the menu with its five lines"
click_slot 3
wait_for 30 menu_open || fail "a right click did not open the menu"
read -r mw mh <<<"$(menu_size)"
echo "menu ${mw}x${mh}"
[ "$mh" -ge 70 ] || fail "the menu is too small for four entries and a separator (${mh} px)"
import -window root "$E2E_TMP/menu.png"
xdotool key Escape
wait_for 30 menu_closed || fail "Escape did not close the menu"

echo "-- Exit removes the icon and ends the process"
click_slot 3
wait_for 30 menu_open || fail "the menu did not open a second time"
xdotool key Up Return # Up from no selection lands on the last entry, Exit
wait_for 50 bash -c "! kill -0 $GLIMMERBOX_PID" || fail "the process did not end after Exit"
wait "$GLIMMERBOX_PID" && status=0 || status=$?
[ "$status" -eq 0 ] || fail "the process ended with status $status"
icon_in_tray && fail "the tray slot is not empty after Exit"

echo "-- Fuzzy T.V at 10 ms: ten screenshots within a second show at least three frames"
e2e_start_glimmerbox "$binary" "Previous=4" "Speed=10"
wait_for 100 icon_in_tray || fail "no icon in the tray"
sleep 0.5
declare -A seen=()
start=$(date +%s%N)
for i in $(seq 1 10); do
    shoot_slot "$E2E_TMP/tv$i.png"
    seen[$(pixel_sum "$E2E_TMP/tv$i.png")]=1
done
elapsed=$((($(date +%s%N) - start) / 1000000))
echo "${#seen[@]} different frames in 10 screenshots over ${elapsed} ms"
[ "${#seen[@]}" -ge 3 ] || fail "only ${#seen[@]} different frames"
kill "$GLIMMERBOX_PID"

echo "PASS"

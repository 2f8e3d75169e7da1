#!/usr/bin/env bash
# End to end over StatusNotifierItem (KDE, GNOME with AppIndicator, Xfce, waybar and
# other Wayland trays), on a private session bus with a test watcher and host:
# - started from another folder with a sample's bare file name in "Custom", the
#   item registers without any message, plays the sample (its pixmaps change, and
#   are the frame and its crisp 2x enlargement, no more) and its tooltip is Glimmerbox;
# - the menu is exported over com.canonical.dbusmenu: its five lines, their enabled
#   states with nothing, the options dialog, the editor or the about box open, and a
#   "clicked" event that runs the entry's command (Options opens the dialog, Exit
#   ends the program with status 0, also through EventGroup), each change of the
#   entries told to the host in one ItemsPropertiesUpdated; a ContextMenu call still
#   opens the menu; every property and method of the item and the menu (sni_host.py);
# - with the pace following the load, the tooltip tells it, and NewToolTip says so;
# - while an "Error" box is open, the host's ContextMenu and Exit are ignored, and
#   the program goes on safely when the box closes.
# Usage: sni.sh <path to glimmerbox>
set -euo pipefail
binary=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)

source "$here/lib.sh"
e2e_private_bus "$@"
e2e_start_display --no-tray

item() { /usr/bin/python3 "$here/sni_item.py" "$@"; }
entries_are() { [ "$(item entries 2>/dev/null)" = "$1" ]; }
window_open() { xwininfo -root -tree | grep -q "\"$1\": (\"glimmerbox\""; }
window_closed() { ! window_open "$1"; }

# Starts the program ($1: its path, then settings lines) and waits for its item.
start_item() {
    local before
    before=$(item count)
    e2e_start_glimmerbox "$@"
    wait_for 150 bash -c "[ \"\$(/usr/bin/python3 '$here/sni_item.py' count)\" -gt $before ]" ||
        fail "the item did not register"
    wait_for 30 entries_are OEAX || fail "the exported menu is not ready: $(item entries)"
}

# Chooses $1 in the exported menu and waits for the entries to read $2.
choose() {
    item click "$1" || fail "the host could not choose $1"
    wait_for 50 entries_are "$2" || fail "after $1 the entries read $(item entries), not $2"
}

signals=$E2E_TMP/signals
/usr/bin/python3 "$here/sni_host.py" "$E2E_TMP/host-ready" 1.5 "$E2E_TMP/host-done" "$signals" \
    >"$E2E_TMP/host.log" 2>&1 &
E2E_PIDS+=($!)
wait_for 100 test -e "$E2E_TMP/host-ready" || fail "the test host did not start"

echo "-- started elsewhere with Custom=Snowfall.gx: it plays, no message"
e2e_start_glimmerbox "$binary" "Previous=7" "Custom=Snowfall.gx" "Speed=50"
wait_for 150 test -e "$E2E_TMP/host-done" || fail "the test host did not finish"
cat "$E2E_TMP/host.log"
[ "$(cat "$E2E_TMP/host-done")" = pass ] || fail "the StatusNotifierItem checks failed"
window_open Error && fail "a message box is open"

echo "-- the host's ContextMenu call opens the program's own menu"
wait_for 50 menu_open || fail "the ContextMenu call did not open the menu"
read -r mw mh <<<"$(menu_size)"
echo "menu ${mw}x${mh} open after ContextMenu"
# The menu takes the keyboard a moment after it shows.
for _ in 1 2 3; do
    xdotool key Escape
    wait_for 10 menu_closed && break
done
menu_closed || fail "the menu did not close"

echo "-- the exported menu: five lines, Options opens the dialog, Exit ends"
layout=$(item layout)
echo "layout: $layout"
[ "$layout" = "Options Edit About - Exit" ] || fail "unexpected menu lines"
choose Options ---X
wait_for 50 window_open "Animation Options" || fail "Options did not open the dialog"
told=$(grep "^ItemsPropertiesUpdated" "$signals" | tail -n 1 | cut -d' ' -f3-)
echo "the host was told: $told"
[ "$told" = "1:enabled=0 2:enabled=0 3:enabled=0" ] || fail "the disabled entries were not told in one signal"
item click-group Exit
exit_status_of "$GLIMMERBOX_PID" 50 || fail "Exit did not end the program"
[ "$E2E_EXIT_STATUS" -eq 0 ] || fail "Exit ended the program with status $E2E_EXIT_STATUS"

echo "-- the editor and the about box leave nothing to choose"
for entry in Edit About; do
    start_item "$binary" "Pace=cpu"
    wait_for 50 bash -c "/usr/bin/python3 '$here/sni_item.py' tooltip | grep -q 'CPU [0-9]*%'" ||
        fail "the tooltip does not tell the load: $(item tooltip)"
    read -r service _ <<<"$(registered_item)"
    grep -q "^NewToolTip $service\$" "$signals" || fail "no NewToolTip from $service"
    choose "$entry" ----
    caption=$([ "$entry" = Edit ] && echo "Custom Glimmerbox" || echo About)
    wait_for 50 window_open "$caption" || fail "$entry did not open its window"
    item click Exit
    sleep 0.5
    kill -0 "$GLIMMERBOX_PID" || fail "a disabled Exit ended the program"
    kill "$GLIMMERBOX_PID"
    wait "$GLIMMERBOX_PID" 2>/dev/null || true
done

echo "-- while an Error box is open the host's calls are ignored"
# A program folder without compiled animations: with the custom animation playing
# (an absolute name), the options dialog finds none to list and says so on loading.
mkdir -p "$E2E_TMP/program"
cp "$binary" "$E2E_TMP/program/glimmerbox"
start_item "$E2E_TMP/program/glimmerbox" "Previous=7" "Custom=$here/../../samples/Snowfall.gx"
item click Options
wait_for 50 window_open Error || fail "no Error box while the options dialog loads"
item context-menu
item click Exit
sleep 1
kill -0 "$GLIMMERBOX_PID" || fail "Exit ran while the Error box was open"
menu_closed || fail "ContextMenu opened the menu while the Error box was open"
xdotool key Return
wait_for 50 window_closed Error || fail "the Error box did not close"
wait_for 50 window_open "Animation Options" || fail "the options dialog did not open after the box"
wait_for 50 entries_are ---X || fail "the entries read $(item entries) with the options dialog open"
item click Exit
exit_status_of "$GLIMMERBOX_PID" 50 || fail "Exit did not end the program"
[ "$E2E_EXIT_STATUS" -eq 0 ] || fail "Exit ended the program with status $E2E_EXIT_STATUS"
echo "PASS"

#!/usr/bin/env bash
# End to end: the tray host killed outright (SIGKILL, no chance to let go of its
# icons) while Glimmerbox animates at 10 ms: with nothing else open, with the options
# dialog open and with the editor open. Each time the failed icon change is reported
# in one message box, and when it is closed the program ends with status 1: no
# crash, no hang, no second box, no warning from Qt.
# Usage: tray_killed.sh <path to glimmerbox>
set -euo pipefail
binary=$(realpath "$1")
source "$(dirname "$0")/../e2e/lib.sh"

message_boxes() {
    xwininfo -root -tree | grep -c '"Glimmerbox": ("glimmerbox" "Glimmerbox")  [0-9][0-9][0-9]x' || true
}
message_shown() { [ "$(message_boxes)" -ge 1 ]; }
window_open() { xwininfo -root -tree | grep -q "\"$1\": (\"glimmerbox\""; }

# $1: what to open from the tray menu before the host is killed ("" for nothing,
# or the number of Down presses that reach the entry), $2: its window's caption.
scenario() {
    local downs=$1 caption=$2
    e2e_start_tray
    e2e_start_glimmerbox "$binary" "Previous=4" "Speed=10"
    wait_for 100 icon_in_tray || fail "no icon in the tray"
    if [ -n "$downs" ]; then
        click_slot 3
        wait_for 30 menu_open || fail "the menu did not open"
        local keys=()
        for _ in $(seq 1 "$downs"); do keys+=(Down); done
        xdotool key "${keys[@]}" Return
        wait_for 50 window_open "$caption" || fail "the $caption window did not open"
    fi
    sleep 0.5
    kill -KILL "$TRAYER_PID"
    { wait "$TRAYER_PID"; } 2>/dev/null || true
    wait_for 50 message_shown || fail "no message box after the tray host was killed"
    sleep 0.5 # a 10 ms timer that kept running would stack more boxes by now
    [ "$(message_boxes)" -eq 1 ] || fail "$(message_boxes) message boxes instead of one"
    xdotool key Return
    exit_status_of "$GLIMMERBOX_PID" 50 || fail "the program did not end after the message"
    local status=$E2E_EXIT_STATUS
    [ "$status" -eq 1 ] || fail "expected status 1 after a failed icon change, got $status"
    if grep -iE "segmentation|abort|QObject::|QWidget::|QPainter::|warning" "$E2E_TMP/glimmerbox.log"; then
        fail "a crash or a Qt warning in the log"
    fi
    echo "ended with status $status; its log:"
    sed 's/^/    /' "$E2E_TMP/glimmerbox.log"
}

e2e_start_display --no-tray

echo "-- the host is killed while the icon animates"
scenario "" ""
echo "-- the host is killed while the options dialog is open"
scenario 1 "Animation Options"
echo "-- the host is killed while the editor is open"
scenario 2 "Custom Glimmerbox"

echo "PASS"

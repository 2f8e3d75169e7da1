#!/usr/bin/env bash
# End to end: a tray host that appears after the program is waited for, and a tray
# host that goes away while the program runs ends it with the modify-failure
# message, without a crash or a hang.
# Usage: tray_host.sh <path to glimmerbox>
set -euo pipefail
binary=$(realpath "$1")
source "$(dirname "$0")/lib.sh"

echo "-- a tray host started two seconds after the program still gets the icon"
e2e_start_display --no-tray
e2e_start_glimmerbox "$binary"
sleep 2
kill -0 "$GLIMMERBOX_PID" || fail "the program ended while waiting for a tray host"
e2e_start_tray
wait_for 100 icon_in_tray || fail "the icon did not appear in the late tray host"
echo "icon docked at $(tray_slot)"

echo "-- the tray host goes away: the modify failure is reported, then the program ends"
kill "$TRAYER_PID"
message_shown() { xwininfo -root -tree | grep -q '"Glimmerbox": ("glimmerbox" "Glimmerbox")  [0-9][0-9][0-9]x'; }
wait_for 50 message_shown || fail "no message box after the tray host went away"
import -window root "$E2E_TMP/modify-failure.png"
xdotool key Return
exit_status_of "$GLIMMERBOX_PID" 50 || fail "the program did not end after the message"
status=$E2E_EXIT_STATUS
echo "ended with status $status"
[ "$status" -eq 1 ] || fail "expected status 1 after a failed modify, got $status"
grep -iE "segmentation|abort|QObject::|QWidget::" "$E2E_TMP/glimmerbox.log" && fail "warnings or a crash in the log"

echo "PASS"

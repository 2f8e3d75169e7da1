#!/usr/bin/env bash
# End to end over StatusNotifierItem (KDE, GNOME with AppIndicator, Wayland trays):
# on a private session bus with a test watcher and host, the item registers, its
# tooltip is Glimmerbox, its pixmaps change from frame to frame and carry the
# enlarged sizes, and a ContextMenu call opens the menu as a right-button release
# does. Usage: sni.sh <path to glimmerbox>
set -euo pipefail
binary=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)

if [ -z "${DBUS_SESSION_BUS_ADDRESS:-}" ] || [ "${SNI_PRIVATE_BUS:-}" != 1 ]; then
    exec env SNI_PRIVATE_BUS=1 dbus-run-session -- "$0" "$@"
fi

source "$here/lib.sh"
e2e_start_display --no-tray

/usr/bin/python3 "$here/sni_host.py" "$E2E_TMP/host-ready" 1.5 >"$E2E_TMP/host.log" 2>&1 &
host=$!
E2E_PIDS+=("$host")
wait_for 100 test -e "$E2E_TMP/host-ready" || fail "the test host did not start"

e2e_start_glimmerbox "$binary" "Previous=4" "Speed=50"
status=0
wait "$host" || status=$?
cat "$E2E_TMP/host.log"
[ "$status" -eq 0 ] || fail "the StatusNotifierItem checks failed"

wait_for 50 menu_open || fail "the ContextMenu call did not open the menu"
read -r mw mh <<<"$(menu_size)"
echo "menu ${mw}x${mh} open after ContextMenu"
xdotool key Escape
wait_for 30 menu_closed || fail "the menu did not close"
kill -0 "$GLIMMERBOX_PID" || fail "the program ended"
echo "PASS"

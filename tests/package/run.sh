#!/usr/bin/env bash
# The program as the package installs it: unpacked with dpkg-deb into a temporary root
# whose files are then read-only, started as an unprivileged user (nobody, when this
# runs as root) with a home of its own, under Xvfb with trayer. It docks, animates,
# and plays the sample Snowfall from the program's folder, /usr/share/glimmerbox, as
# the custom animation, so the program found that folder from /usr/bin.
#   run.sh <folder holding glimmerbox_*.deb>
set -euo pipefail
source "$(dirname "$0")/../e2e/lib.sh"

root=$E2E_TMP/root
dpkg-deb -x "$(echo "$1"/glimmerbox_*.deb)" "$root"
chmod -R a-w "$root"
binary=$root/usr/bin/glimmerbox

e2e_start_display
# The user's own folders: a home, and the settings and working folders of lib.sh.
user_home=$E2E_TMP/home
mkdir -p "$user_home" "$E2E_TMP/config/Glimmerbox" "$E2E_TMP/work"
chmod 755 "$E2E_TMP"
E2E_LAUNCHER=(env HOME="$user_home" XDG_DATA_HOME="$user_home/.local/share")
if [ "$(id -u)" -eq 0 ]; then
    chown -R nobody "$user_home" "$E2E_TMP/config" "$E2E_TMP/work"
    E2E_LAUNCHER=(runuser -u nobody -- "${E2E_LAUNCHER[@]}" XDG_CONFIG_HOME="$E2E_TMP/config"
                  DISPLAY="$DISPLAY")
fi

"${E2E_LAUNCHER[@]}" "$binary" --version | grep -qx "Glimmerbox 2.0" ||
    fail "the packaged program did not run"
"${E2E_LAUNCHER[@]}" test -w "$root/usr/share/glimmerbox" && fail "the program's folder is writable"

echo "-- the sample from the program's folder plays as the custom animation"
e2e_start_glimmerbox "$binary" "Previous=7" "Custom=Snowfall.gx" "Speed=200"
wait_for 100 icon_in_tray || fail "no icon in the tray"
window_shown Error && fail "the program showed an error"
sleep 0.5
shoot_slot "$E2E_TMP/a.png"
sleep 0.45
shoot_slot "$E2E_TMP/b.png"
[ "$(pixel_sum "$E2E_TMP/a.png")" != "$(pixel_sum "$E2E_TMP/b.png")" ] ||
    fail "two screenshots two frames apart are identical"
kill "$GLIMMERBOX_PID"

echo "PASS"

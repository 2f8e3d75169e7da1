#!/usr/bin/env bash
# The program as the package installs it: unpacked with dpkg-deb into a temporary root
# whose files are then read-only, started as an unprivileged user (nobody, when this
# runs as root) with a home of its own and a session bus, under Xvfb with trayer:
# - it docks, animates, and plays the sample Snowfall from the program's folder,
#   /usr/share/glimmerbox, as the custom animation (it found that folder from /usr/bin);
# - an animation in the user's folder ($XDG_DATA_HOME/glimmerbox), named in "Custom",
#   plays;
# - a file handed over (a file manager's double-click): the running program takes it,
#   the new process ends at once, one icon stays, the file is kept in the user's folder
#   and the settings name it; a damaged one gives one error and changes nothing;
# - a raw file handed over opens the editor, and its Compile lands in the user's folder.
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
expect_animating "two screenshots two frames apart are identical" 0.45
kill "$GLIMMERBOX_PID"
wait "$GLIMMERBOX_PID" 2>/dev/null || true

as_user() { # runs a command as the user, with its home and session bus
    "${E2E_LAUNCHER[@]}" "$@"
}
animations=$user_home/.local/share/glimmerbox
settings=$E2E_TMP/config/Glimmerbox/Glimmerbox.conf
[ ! -e "$animations" ] || fail "the user's folder was made before it was needed"

echo "-- an animation in the user's folder, named in \"Custom\", plays"
as_user mkdir -p "$animations"
as_user cp "$root/usr/share/glimmerbox/Heartbeat.gx" "$animations/Beat.gx"
e2e_start_glimmerbox "$binary" "Previous=7" "Custom=Beat.gx" "Speed=100"
wait_for 100 icon_in_tray || fail "no icon in the tray"
window_shown Error && fail "the program showed an error for the user's animation"
expect_animating "the user's animation does not move" 0.25
kill "$GLIMMERBOX_PID"
wait "$GLIMMERBOX_PID" 2>/dev/null || true

echo "-- files handed to the running program, over the session bus"
bus=$E2E_TMP/bus
mkdir -m 777 "$bus"
E2E_LAUNCHER+=(DBUS_SESSION_BUS_ADDRESS="unix:path=$bus/socket")
as_user dbus-daemon --session --fork --address="unix:path=$bus/socket" --print-pid >"$bus/pid"
E2E_PIDS+=("$(cat "$bus/pid")")
downloads=$E2E_TMP/downloads
mkdir -m 755 "$downloads"
cp "$root/usr/share/glimmerbox/Snowfall.gx" "$downloads/Snow.gx"
head -c 100 "$root/usr/share/glimmerbox/Candle.gx" >"$downloads/broken.gx"
chmod 644 "$downloads"/*
e2e_start_glimmerbox "$binary" "Previous=2"
# The settings file, written for the program here, is the user's to change.
[ "$(id -u)" -ne 0 ] || chown nobody "$settings"
wait_for 100 icon_in_tray || fail "no icon in the tray"
name_taken() { as_user gdbus introspect --session --dest net.glimmerbox.Glimmerbox \
    --object-path /net/glimmerbox/Glimmerbox >/dev/null 2>&1; }
wait_for 50 name_taken || fail "the program does not own its name on the session bus"

started=$(date +%s%N)
as_user timeout 20 "$binary" "$downloads/Snow.gx" || fail "handing Snow.gx over ended with $?"
echo "the second process ended after $((($(date +%s%N) - started) / 1000000)) ms"
kept() { cmp -s "$downloads/Snow.gx" "$animations/Snow.gx"; }
wait_for 50 kept || fail "Snow.gx is not in the user's folder: $(ls "$animations")"
remembered() { grep -qx "Custom=Snow.gx" "$settings" && grep -qx "Previous=7" "$settings"; }
wait_for 50 remembered || fail "the settings do not name Snow.gx: $(cat "$settings")"
[ "$(program_windows child | wc -l)" -eq 1 ] || fail "not exactly one icon in the tray"
[ "$(pgrep -c -f "^$binary")" -eq 1 ] || fail "not exactly one program runs"

before=$(md5sum "$settings"; ls "$animations")
as_user timeout 20 "$binary" "$downloads/broken.gx" || fail "handing broken.gx over ended with $?"
wait_for 50 window_shown Error || fail "a damaged file gave no error"
sleep 0.5
[ "$(windows_titled Error)" -eq 1 ] || fail "$(windows_titled Error) error boxes for one damaged file"
xdotool key Return
wait_for 30 window_gone Error || fail "the error box did not close"
[ "$(md5sum "$settings"; ls "$animations")" = "$before" ] || fail "the damaged file changed something"

echo "-- a raw file handed over opens the editor; Compile proposes the user's folder"
cp -r "$root/usr/share/glimmerbox/samples/Snowfall" "$downloads/"
chmod -R u+w,a+rX "$downloads"
# The package's raw file names its icons where the package puts them.
sed -i "s|/usr/share/glimmerbox/samples/Snowfall|$downloads/Snowfall|" "$downloads/Snowfall/Snowfall.rgx"
as_user timeout 20 "$binary" "$downloads/Snowfall/Snowfall.rgx" || fail "handing the .rgx over failed"
wait_for 50 window_shown "Custom Glimmerbox" || fail "the editor did not open"
window_shown Error && fail "the editor did not take the raw file"
compile_in_editor "Mine.gx"
[ -f "$animations/Mine.gx" ] || fail "the compiled file is not in the user's folder: $(ls "$animations")"
cmp -s "$animations/Mine.gx" "$root/usr/share/glimmerbox/Snowfall.gx" ||
    fail "the compiled file differs from the sample it was compiled from"
kill "$GLIMMERBOX_PID"

echo "PASS"

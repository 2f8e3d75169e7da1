#!/usr/bin/env bash
# End to end in GNOME Shell 43 headless with Debian's AppIndicator extension, the
# program on Wayland: the item shows in the top bar, animated, its frames handed over
# as named files; the shell's menu has the five lines and follows their states;
# Options opens "Animation Options", Exit ends the program with status 0; the shell
# logs not one line about the item.
# Exits 77 with the shell's own last words where it cannot start here.
# Usage: gnome_shell.sh <path to glimmerbox>
set -euo pipefail
binary=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)
extension=ubuntu-appindicators@ubuntu.com

skip() {
    echo "SKIP: $*"
    exit 77
}

command -v gnome-shell >/dev/null || skip "gnome-shell is not installed"
[ -d "/usr/share/gnome-shell/extensions/$extension" ] ||
    skip "the AppIndicator extension (gnome-shell-extension-appindicator) is not installed"
source "$here/lib.sh"
e2e_as_user "$binary"
e2e_private_bus --no-activation "$binary"

# The shell's button for the program's item, as JavaScript.
button="Object.values(imports.ui.main.panel.statusArea).find(b => b && b._indicator &&
    b._indicator.id === 'net.glimmerbox.Glimmerbox')"

echo "-- GNOME Shell starts headless with the AppIndicator extension"
e2e_start_gnome_shell "$extension"
echo "GNOME Shell $(gnome-shell --version | cut -d' ' -f3) on $WAYLAND_DISPLAY, as $(id -un)"
shell_lines=$(wc -l <"$E2E_TMP/shell.log")

echo "-- the item registers and shows in the top bar, animated"
e2e_start_glimmerbox "$binary" "Previous=2" "Speed=100"
wait_for 150 registered_item || fail "the program registered no item with the watcher"
read -r service path <<<"$(registered_item)"
echo "item $service$path"
shown() { [ "$(shell_js "String(!!($button) && ($button).visible)")" = true ]; }
wait_for 100 shown || fail "the top bar shows no button for the item"
read -r ix iy iw ih <<<"$(shell_js "const b = $button; [...b.get_transformed_position(),
    ...b.get_transformed_size()].map(Math.round).join(' ')")"
echo "button ${iw}x${ih}+${ix}+${iy}"
shoot() {
    bus_call org.gnome.Shell.Screenshot /org/gnome/Shell/Screenshot \
        org.gnome.Shell.Screenshot.ScreenshotArea "$ix" "$iy" "$iw" "$ih" false "$1" >/dev/null
}
frames=()
for shot in 1 2 3 4 5 6; do
    shoot "$E2E_TMP/icon-$shot.png" || fail "the shell took no screenshot"
    frames+=("$(pixel_sum "$E2E_TMP/icon-$shot.png")")
    sleep 0.35
done
different=$(printf '%s\n' "${frames[@]}" | sort -u | wc -l)
echo "$different different pictures in 6 screenshots"
[ "$different" -ge 2 ] || fail "the icon in the top bar did not change"
# The shell is handed the frames as named files in PropertiesChanged, nothing read back.
read -r name folder <<<"$(shell_js "const i = ($button)._indicator.icon; i[0] + ' ' + i[2]")"
[[ "$name" == glimmerbox-* ]] && [ -s "$folder/$name.png" ] ||
    fail "the shell was not handed the frames by name: '$name' in '$folder'"
timeout 1.5 dbus-monitor "sender=$service,path=$path" >"$E2E_TMP/item-signals" 2>/dev/null || true
told=$(grep -o 'member=[A-Za-z]*' "$E2E_TMP/item-signals" | sort | uniq -c | xargs)
[[ "$told" =~ member=PropertiesChanged ]] && [[ ! "$told" =~ member=NewIcon ]] ||
    fail "the frames did not come in PropertiesChanged signals alone: $told"

echo "-- the shell's menu: five lines that follow the entries' states"
menu_lines() {
    shell_js "const b = $button; b.menu.open(); b.menu._getMenuItems().filter(i => i.visible)
        .map(i => i.label && i.label.text ? (i.reactive ? i.label.text : '[' + i.label.text + ']') : '-').join(' ')"
}
lines_are() { [ "$(menu_lines)" = "$1" ]; }
wait_for 50 lines_are "Options Edit About - Exit" || fail "the shell's menu reads: $(menu_lines)"
choose() { # <label>: activates the shell's menu item, as a click on it does
    shell_js "const i = ($button).menu._getMenuItems().find(i => i.label &&
        i.label.text === '$1'); const C = imports.gi.Clutter;
        i.activate(C.Event.new(C.EventType.BUTTON_RELEASE)); 'ok'" >/dev/null
}
choose Options
window_open() {
    shell_js "global.get_window_actors().map(a => a.meta_window.get_title()).join('|')" |
        tr '|' '\n' | grep -qx "$1"
}
wait_for 50 window_open "Animation Options" || fail "Options did not open the dialog"
wait_for 50 lines_are "[Options] [Edit] [About] - Exit" ||
    fail "with the dialog open the shell's menu reads: $(menu_lines)"
echo "with the options dialog open: $(menu_lines)"

echo "-- Exit ends the program with status 0"
choose Exit
exit_status_of "$GLIMMERBOX_PID" 50 || fail "Exit did not end the program"
[ "$E2E_EXIT_STATUS" -eq 0 ] || fail "Exit ended the program with status $E2E_EXIT_STATUS"
gone() { [ "$(shell_js "String(!!($button))")" = false ]; }
wait_for 50 gone || fail "the item stayed in the top bar after Exit"

echo "-- the shell logged nothing about the item"
tail -n +"$((shell_lines + 1))" "$E2E_TMP/shell.log" >"$E2E_TMP/shell-new.log"
echo "$(wc -l <"$E2E_TMP/shell-new.log") lines in the shell's log while the program ran"
if grep -n -i -E "JS ERROR|StatusNotifier|appindicator|dbusmenu|glimmer|$service" \
    "$E2E_TMP/shell-new.log"; then
    fail "the shell logged the lines above about the item"
fi
echo "PASS"

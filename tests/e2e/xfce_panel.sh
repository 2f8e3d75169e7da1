#!/usr/bin/env bash
# End to end in the Xfce panel's status tray (xfce4-panel's "systray" plugin, an
# XEmbed tray and a StatusNotifierItem host in one), under Xvfb on a private
# session bus: the plugin owns the StatusNotifierWatcher, so the program's icon
# goes over D-Bus; it shows and animates in the panel; a left click opens nothing;
# a right click opens the panel's menu built from the program's exported menu,
# with the four entries and the separator; the panel logs no menu error; and
# "Exit" chosen in that menu ends the program with status 0.
# Usage: xfce_panel.sh <path to glimmerbox>
set -euo pipefail
binary=$(realpath "$1")
here=$(cd "$(dirname "$0")" && pwd)

source "$here/lib.sh"
e2e_private_bus "$@"
e2e_start_display --no-tray

# Settings, caches and the panel's configuration all in the test's folder; no
# accessibility bus and no dconf, which would outlive the test.
e2e_private_session
mkdir -p "$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml"
# One panel along the top edge holding nothing but the status tray.
cat >"$XDG_CONFIG_HOME/xfce4/xfconf/xfce-perchannel-xml/xfce4-panel.xml" <<'EOF'
<?xml version="1.0" encoding="UTF-8"?>
<channel name="xfce4-panel" version="1.0">
  <property name="configver" type="int" value="2"/>
  <property name="panels" type="array">
    <value type="int" value="1"/>
    <property name="panel-1" type="empty">
      <property name="position" type="string" value="p=6;x=0;y=0"/>
      <property name="position-locked" type="bool" value="true"/>
      <property name="length" type="uint" value="100"/>
      <property name="size" type="uint" value="30"/>
      <property name="plugin-ids" type="array">
        <value type="int" value="1"/>
      </property>
    </property>
  </property>
  <property name="plugins" type="empty">
    <property name="plugin-1" type="string" value="systray"/>
  </property>
</channel>
EOF

# "X Y W H" of the status tray's window in the panel (the only window of the
# plugin's process inside another); it widens when an item shows.
tray_plug() {
    xwininfo -root -tree | awk '
        /"wrapper-2.0": \("wrapper-2.0"/ {
            match($0, /^ */)
            if (RLENGTH > 6 && match($0, /[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+ +\+-?[0-9]+\+-?[0-9]+/)) {
                split(substr($0, RSTART, RLENGTH), f, /[x+ ]+/)
                print f[5], f[6], f[1], f[2]
                exit
            }
        }'
}

tray_in_panel() {
    [ -n "$(tray_plug)" ]
}

item_shown() {
    local x y w h
    read -r x y w h <<<"$(tray_plug)"
    [ -n "$w" ] && [ "$w" -gt 8 ]
}

item_gone() {
    ! item_shown
}

# "ID X Y W H" of each top-level window that is on screen, one a line.
shown_windows() {
    local id
    for id in $(xwininfo -root -children | awk '$1 ~ /^0x/ { print $1 }'); do
        xwininfo -id "$id" 2>/dev/null | awk -v id="$id" '
            /Absolute upper-left X:/ { x = $NF }
            /Absolute upper-left Y:/ { y = $NF }
            /^ +Width:/ { w = $NF }
            /^ +Height:/ { h = $NF }
            /Map State: IsViewable/ { shown = 1 }
            END { if (shown && w > 1 && h > 1) print id, x, y, w, h }'
    done
}

# "ID X Y W H" of the tallest window on screen that is not in the list $1.
new_window() {
    shown_windows | grep -vxF -f <(printf '%s\n' "$1") | sort -k5,5n | tail -n 1 | grep .
}

echo "-- the status tray owns the StatusNotifierWatcher"
# The panel reads its configuration through xfconfd. Started here rather than by
# the bus, it has the test's environment, and it has saved what the panel wrote
# (the tray's known items) before the test's folder goes.
xfconfd=$(sed -n 's/^Exec=//p' /usr/share/dbus-1/services/org.xfce.Xfconf.service)
"$xfconfd" >"$E2E_TMP/xfconfd.log" 2>&1 &
E2E_PIDS+=($!)
wait_for 100 name_owned org.xfce.Xfconf || fail "xfconfd did not start"
xfce4-panel --disable-wm-check >"$E2E_TMP/panel.log" 2>&1 &
panel=$!
E2E_PIDS+=("$panel")
wait_for 150 name_owned org.kde.StatusNotifierWatcher || fail "no StatusNotifierWatcher on the bus"
owner=$(bus_pid org.kde.StatusNotifierWatcher)
echo "watcher owned by $(cat "/proc/$owner/comm") ($owner), child of the panel ($panel)"
[ "$(ps -o ppid= -p "$owner" | tr -d ' ')" = "$panel" ] ||
    fail "the watcher does not belong to the panel's status tray"
wait_for 100 tray_in_panel || fail "the status tray is not in the panel"

echo "-- the item registers over D-Bus and shows in the panel, animated"
e2e_start_glimmerbox "$binary"
wait_for 150 registered_item || fail "the program registered no item with the watcher"
read -r service path <<<"$(registered_item)"
echo "item $service$path"
[ -z "$(program_windows child)" ] || fail "the icon went into the XEmbed tray, not over D-Bus"
wait_for 100 item_shown || fail "the panel shows no item"
read -r px py pw ph <<<"$(tray_plug)"
echo "status tray ${pw}x${ph}+${px}+${py}"
sleep 0.7
import -window root -crop "${pw}x${ph}+${px}+${py}" +repage "$E2E_TMP/a.png"
sleep 0.55
import -window root -crop "${pw}x${ph}+${px}+${py}" +repage "$E2E_TMP/b.png"
[ "$(pixel_sum "$E2E_TMP/a.png")" != "$(pixel_sum "$E2E_TMP/b.png")" ] ||
    fail "the icon in the panel did not change over a frame"
icon_x=$((px + pw / 2)) icon_y=$((py + ph / 2))

echo "-- a left click opens nothing"
xdotool mousemove "$icon_x" "$icon_y"
sleep 1 # a tooltip that comes with the hover is there before the click
before=$(shown_windows)
xdotool click 1
sleep 0.8
! new_window "$before" >/dev/null || fail "a left click opened a window: $(new_window "$before")"
kill -0 "$GLIMMERBOX_PID" || fail "the program ended after a left click"

echo "-- a right click opens the panel's menu with the program's entries"
xdotool mousemove "$icon_x" "$icon_y" click 3
wait_for 30 new_window "$before" || fail "a right click opened no menu"
sleep 0.3 # drawn
read -r _ mx my mw mh <<<"$(new_window "$before")"
xdotool mousemove 799 599 # off the menu, so no entry is highlighted
sleep 0.2
import -window root -crop "${mw}x${mh}+${mx}+${my}" +repage "$E2E_TMP/menu.png"
mapfile -t lines < <(text_lines "$E2E_TMP/menu.png")
echo "menu ${mw}x${mh}+${mx}+${my} with ${#lines[@]} lines of text"
[ "${#lines[@]}" -eq 4 ] || fail "the menu shows ${#lines[@]} lines of text, not the four entries"

echo "-- the panel logged no menu error"
if grep -E -i "NO_DBUSMENU|Getting layout failed|dbusmenu" "$E2E_TMP/panel.log"; then
    fail "the panel logged the errors above"
fi

echo "-- the exported menu: four entries and a separator"
menu=$(bus_call "$service" "$path" org.freedesktop.DBus.Properties.Get \
    org.kde.StatusNotifierItem Menu | grep -oE "'[^']+'" | tr -d "'")
echo "menu object $menu"
layout=$(bus_call "$service" "$menu" com.canonical.dbusmenu.GetLayout 0 -1 '@as []' 2>&1 |
    grep -oE "'label': <'[^']*'>|'type': <'separator'>" |
    sed -E "s/'label': <'([^']*)'>/\\1/; s/'type': <'separator'>/-/" | tr -d _ | paste -sd' ') ||
    true
echo "layout: $layout"
[ "$layout" = "Options Edit About - Exit" ] || fail "the exported menu is not Options, Edit, About, a separator and Exit"

echo "-- Exit, the last entry, ends the program with status 0"
read -r top bottom <<<"${lines[3]}"
xdotool mousemove "$((mx + mw / 2))" "$((my + (top + bottom) / 2))"
sleep 0.2
xdotool click 1
exit_status_of "$GLIMMERBOX_PID" 50 || fail "the program did not end after Exit"
[ "$E2E_EXIT_STATUS" -eq 0 ] || fail "the program ended with status $E2E_EXIT_STATUS"
wait_for 50 item_gone || fail "the item stayed in the panel after Exit"
echo "PASS"

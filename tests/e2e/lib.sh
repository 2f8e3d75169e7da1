# Shared helpers of the end-to-end tests: a private virtual display with a real
# XEmbed tray host, an isolated settings folder and working folder, and screenshots
# of the tray slot. Source it; call e2e_start_display first.

E2E_TMP=$(mktemp -d /tmp/glimmerbox-e2e.XXXXXX)
E2E_PIDS=()

# In a sanitized build the program writes its sanitizer reports to files here
# (the options come from CTest), so that a report from a run that is killed or
# whose output nobody reads still fails the test in e2e_cleanup.
# Full stacks (Qt's libraries keep no frame pointers): a leak report then names the
# Qt function that leaked, which is what the suppressions file matches.
export ASAN_OPTIONS="${ASAN_OPTIONS:+$ASAN_OPTIONS:}log_path=$E2E_TMP/sanitizer:fast_unwind_on_malloc=0"
export UBSAN_OPTIONS="${UBSAN_OPTIONS:+$UBSAN_OPTIONS:}log_path=$E2E_TMP/sanitizer"

e2e_cleanup() { # [exit status; by default the one the script is ending with]
    local status=${1:-$?} pid report
    for pid in "${E2E_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    for report in "$E2E_TMP"/sanitizer.*; do
        [ -e "$report" ] || continue
        echo "FAIL: sanitizer report $(basename "$report"):" >&2
        cat "$report" >&2
        status=1
    done
    chmod -R u+w "$E2E_TMP" 2>/dev/null || true # a test may make files read-only
    rm -rf "$E2E_TMP"
    exit "$status"
}
trap e2e_cleanup EXIT

# Runs the calling script again on a private session bus, unless it runs on one
# already, and exits with its status; with --no-activation the bus starts no service.
e2e_private_bus() {
    [ -n "${DBUS_SESSION_BUS_ADDRESS:-}" ] && [ "${E2E_PRIVATE_BUS:-}" = "$0" ] && return 0
    local config=() status=0
    if [ "${1:-}" = --no-activation ]; then
        shift
        e2e_bus_config session >"$E2E_TMP/session.conf"
        config=(--config-file="$E2E_TMP/session.conf")
    fi
    E2E_PRIVATE_BUS="$0" dbus-run-session "${config[@]}" -- "$0" "$@" || status=$?
    exit "$status"
}

# A bus configuration of type $1 (session or system) without service folders.
e2e_bus_config() {
    cat <<EOF
<!DOCTYPE busconfig PUBLIC "-//freedesktop//DTD D-Bus Bus Configuration 1.0//EN"
 "http://www.freedesktop.org/standards/dbus/1.0/busconfig.dtd">
<busconfig><type>$1</type><listen>unix:tmpdir=/tmp</listen><auth>EXTERNAL</auth>
  <policy context="default"><allow send_destination="*" eavesdrop="true"/>
    <allow eavesdrop="true"/><allow own="*"/></policy></busconfig>
EOF
}

# As root, runs the calling script again as an unprivileged user from copies of its
# folder, this one, each file among its arguments and the sanitizer suppressions (the
# user may not reach the checkout or the build), and exits with its status.
e2e_as_user() {
    [ "$(id -u)" -eq 0 ] && [ "${E2E_AS_USER:-}" != 1 ] || return 0
    local user=glimmertest stage variable value argument arguments=() status=0
    if ! id -u "$user" >/dev/null 2>&1; then
        useradd -M -r -d /nonexistent -s /usr/sbin/nologin "$user" 2>/dev/null || user=nobody
    fi
    stage="$E2E_TMP/stage"
    mkdir -p "$stage"
    chmod 755 "$E2E_TMP" "$stage"
    cp "$(dirname "${BASH_SOURCE[0]}")"/*.sh "$(dirname "${BASH_SOURCE[0]}")"/*.py "$stage/"
    cp "$0" "$stage/"
    for argument in "$@"; do
        if [ -f "$argument" ]; then
            cp "$argument" "$stage/"
            argument="$stage/$(basename "$argument")"
        fi
        arguments+=("$argument")
    done
    for variable in ASAN_OPTIONS LSAN_OPTIONS UBSAN_OPTIONS; do
        value=${!variable:-}
        [[ "$value" =~ suppressions=([^:]+) ]] || continue
        cp "${BASH_REMATCH[1]}" "$stage/$variable.supp"
        export "$variable=${value//${BASH_REMATCH[1]}/$stage/$variable.supp}"
    done
    chmod -R a+rX "$stage"
    runuser -u "$user" -- env E2E_AS_USER=1 "$stage/$(basename "$0")" "${arguments[@]}" \
        </dev/null || status=$?
    exit "$status"
}

fail() {
    echo "FAIL: $*" >&2
    if [ -n "${DISPLAY:-}" ]; then
        import -window root "$E2E_TMP/failure.png" 2>/dev/null &&
            cp "$E2E_TMP/failure.png" "${E2E_ARTIFACTS:-/tmp}/glimmerbox-e2e-failure.png" 2>/dev/null
    fi
    exit 1
}

# The desktop session's folders in the test's folder, no accessibility bus, settings
# in memory: nothing of it outlives the test.
e2e_private_session() {
    export HOME="$E2E_TMP/home" XDG_RUNTIME_DIR="$E2E_TMP/runtime" XDG_CACHE_HOME="$E2E_TMP/cache"
    export XDG_CONFIG_HOME="$E2E_TMP/config" XDG_DATA_HOME="$E2E_TMP/data"
    export NO_AT_BRIDGE=1 GSETTINGS_BACKEND=memory
    mkdir -p "$HOME" "$XDG_CACHE_HOME" "$XDG_CONFIG_HOME" "$XDG_DATA_HOME"
    mkdir -m 700 "$XDG_RUNTIME_DIR"
}

# Waits up to $1 tenths of a second for the command in the remaining arguments.
wait_for() {
    local tries=$1
    shift
    while ! "$@" >/dev/null 2>&1; do
        tries=$((tries - 1))
        [ "$tries" -gt 0 ] || return 1
        sleep 0.1
    done
}

# Starts Xvfb on a free display number and, unless $1 is --no-tray, trayer on it.
e2e_start_display() {
    # Xvfb takes a free display itself and says which once it is ready: a number
    # picked here could be taken by another server between the look and the start,
    # and the test would then talk to that one.
    Xvfb -displayfd 1 -screen 0 800x600x24 -nolisten tcp >"$E2E_TMP/display" \
        2>"$E2E_TMP/xvfb.log" &
    E2E_PIDS+=($!)
    wait_for 100 grep -q '^[0-9]' "$E2E_TMP/display" || fail "Xvfb did not start"
    export DISPLAY=":$(head -n 1 "$E2E_TMP/display")"
    wait_for 100 xdpyinfo || fail "Xvfb did not start"
    [ "${1:-}" = --no-tray ] || e2e_start_tray
}

# Starts trayer, an XEmbed tray host, on the display; TRAYER_PID is its process.
e2e_start_tray() {
    trayer --edge top --align right --widthtype request --height 24 --transparent false \
        --tint 0x404040 --SetDockType true >"$E2E_TMP/trayer.log" 2>&1 &
    TRAYER_PID=$!
    E2E_PIDS+=("$TRAYER_PID")
    wait_for 100 tray_host_ready || fail "trayer did not start"
}

tray_host_ready() {
    xwininfo -root -tree | grep -q '"panel": ("panel" "trayer")'
}

# Starts the program with its own settings and working folder; extra lines for
# the [Startup] section may be given as arguments ("Previous=4"). A command set in
# the array E2E_LAUNCHER goes before the program's path (another user, say);
# E2E_PROGRAM_ARGS holds words for the program's own command line.
E2E_LAUNCHER=()
e2e_start_glimmerbox() {
    local binary=$1
    shift
    export XDG_CONFIG_HOME="$E2E_TMP/config"
    mkdir -p "$XDG_CONFIG_HOME/Glimmerbox" "$E2E_TMP/work"
    if [ $# -gt 0 ]; then
        { echo "[Startup]"; printf '%s\n' "$@"; } >"$XDG_CONFIG_HOME/Glimmerbox/Glimmerbox.conf"
    fi
    # shellcheck disable=SC2086 # E2E_PROGRAM_ARGS: words for the program's command line
    (cd "$E2E_TMP/work" && exec "${E2E_LAUNCHER[@]}" "$binary" ${E2E_PROGRAM_ARGS:-}) \
        >"$E2E_TMP/glimmerbox.log" 2>&1 &
    GLIMMERBOX_PID=$!
    E2E_PIDS+=("$GLIMMERBOX_PID")
}

# Waits for the process $1 to end (up to $2 tenths of a second) and puts its exit
# status in E2E_EXIT_STATUS. Call it in the script's own shell, not in $(...): only
# the shell that started the process can learn its status.
exit_status_of() {
    wait_for "$2" bash -c "! kill -0 $1" || return 1
    E2E_EXIT_STATUS=0
    wait "$1" || E2E_EXIT_STATUS=$?
}

# Geometry of the program's windows as "X Y W H", one line each: embedded ones (the
# tray icon, a child of the tray host's panel) with $1 = child, top-level ones (the
# menu) with $1 = top.
program_windows() {
    xwininfo -root -tree | awk -v want="$1" '
        /"Glimmerbox": \("glimmerbox" "Glimmerbox"\)/ {
            match($0, /^ */); depth = RLENGTH
            if ((want == "child") != (depth > 6)) next
            if (match($0, /[0-9]+x[0-9]+\+-?[0-9]+\+-?[0-9]+ +\+-?[0-9]+\+-?[0-9]+/)) {
                split(substr($0, RSTART, RLENGTH), f, /[x+ ]+/)
                print f[5], f[6], f[1], f[2]
            }
        }'
}

# Prints "X Y W H" of the program's icon in the tray; nothing when it is not there.
tray_slot() {
    program_windows child | head -n 1
}

icon_in_tray() {
    [ -n "$(tray_slot)" ]
}

# Prints "W H" of the program's open menu; fails when none is open.
menu_size() {
    local x y w h
    read -r x y w h <<<"$(program_windows top | awk '$3 > 1 && $4 > 1' | head -n 1)"
    [ -n "$w" ] || return 1
    echo "$w $h"
}

menu_open() {
    menu_size >/dev/null
}

menu_closed() {
    ! menu_size >/dev/null
}

# Writes a PNG of the tray slot to $1.
shoot_slot() {
    local x y w h
    read -r x y w h <<<"$(tray_slot)"
    [ -n "$w" ] || return 1
    import -window root -crop "${w}x${h}+${x}+${y}" +repage "$1"
}

# The pixels of a PNG as a checksum, independent of the file's metadata.
pixel_sum() {
    convert "$1" rgba:- | md5sum | cut -d' ' -f1
}

# Clicks the middle of the tray slot with button $1 (xdotool's click options follow).
click_slot() {
    local x y w h button=$1
    shift
    read -r x y w h <<<"$(tray_slot)"
    xdotool mousemove $((x + w / 2)) $((y + h / 2)) click "$@" "$button"
}

# Opens the tray menu and chooses its entry number $1 (1 Options, 2 Edit, 3 About).
choose_menu_entry() {
    click_slot 3
    wait_for 30 menu_open || fail "the tray menu did not open"
    local keys=()
    for _ in $(seq 1 "$1"); do keys+=(Down); done
    xdotool key "${keys[@]}" Return
    wait_for 30 menu_closed || fail "the tray menu did not close"
}

# Window id of the top-level window titled exactly $1.
window_id() {
    xdotool search --name "^$1\$" | head -n 1
}

window_shown() {
    [ -n "$(window_id "$1")" ]
}

window_gone() {
    ! window_shown "$1"
}

# True when the window titled $1 has the keyboard focus.
has_keyboard() {
    [ "$(xdotool getwindowfocus)" = "$(window_id "$1")" ]
}

windows_titled() {
    xdotool search --name "^$1\$" | wc -l
}

one_window_titled() {
    [ "$(windows_titled "$1")" -eq 1 ]
}

# Types the path $2 into the file name box of the open file dialog titled $1 and
# presses Return, until the dialog closes (up to four times). Under load, Qt's
# completer, which lists each folder as its path is typed, can drop what is typed
# while it reads a folder: Return then opens the folder typed so far and the dialog
# stays. A "File not found" box (titled like the dialog) is closed first.
type_into_file_dialog() {
    local title=$1 path=$2 try
    for try in 1 2 3 4; do
        if [ "$(windows_titled "$title")" -gt 1 ]; then
            xdotool key Return
            wait_for 30 one_window_titled "$title" || return 1
        fi
        wait_for 50 has_keyboard "$title" || return 1
        xdotool key alt+n ctrl+a # the file name box, all of its text
        xdotool type --delay 5 "$path"
        xdotool key Return
        wait_for 50 window_gone "$title" && return 0
        echo "the $title dialog stayed open after Return (try $try); typing the path again" >&2
    done
    return 1
}

# Clicks the point ($2, $3) of the window titled $1, then moves the pointer out of the
# way, to the screen's bottom left corner.
click_in_window() {
    # shellcheck disable=SC2034 # all of them are set by the eval, two are used
    local X Y WIDTH HEIGHT SCREEN WINDOW screen_height
    eval "$(xdotool getwindowgeometry --shell "$(window_id "$1")")"
    xdotool mousemove $((X + $2)) $((Y + $3)) click 1
    screen_height=$(xdotool getdisplaygeometry | cut -d' ' -f2)
    xdotool mousemove 0 $((screen_height - 1))
}

# Prints "X Y W H" of the area where the pictures $1 and $2 differ, leaving out the
# rectangle "X Y W H" $3 if given; fails when they are the same.
changed_area() {
    local mask=() x y w h
    if [ -n "${3:-}" ]; then
        read -r x y w h <<<"$3"
        mask=(-fill black -draw "rectangle $x,$y $((x + w - 1)),$((y + h - 1))")
    fi
    convert "$1" "$2" -compose difference -composite "${mask[@]}" -threshold 0 \
        "$E2E_TMP/difference.png"
    [ "$(convert "$E2E_TMP/difference.png" -format '%[fx:maxima]' info:)" != 0 ] || return 1
    convert "$E2E_TMP/difference.png" -trim -format '%[fx:page.x] %[fx:page.y] %w %h' info:
}

# Compiles the animation of the open editor into $1 (a path, or a name in the folder
# the dialog opens in), through its Compile page and button and Qt's file dialog, and
# closes the "Done" box; fails when any step does not come.
compile_in_editor() {
    click_in_window "Custom Glimmerbox" $((248 + 36)) $((8 + 12))            # the Compile page
    click_in_window "Custom Glimmerbox" $((96 + 200 + 36)) $((40 + 136 + 16)) # its Compile button
    wait_for 50 window_shown "Save As" || fail "Compile showed no file dialog"
    type_into_file_dialog "Save As" "$1" || fail "the save dialog did not take $1"
    wait_for 50 window_shown "Done" || fail "Compile did not say it was done"
    xdotool key Return
    wait_for 30 window_gone "Done" || fail "the Done box did not close"
}

# Fails with $1 unless the tray slot shows another picture at one of six looks $2 seconds
# apart: Heartbeat's frames are A B A B C C B B, often the same two frames apart.
expect_animating() {
    shoot_slot "$E2E_TMP/before.png"
    for _ in 1 2 3 4 5 6; do
        sleep "$2"
        shoot_slot "$E2E_TMP/after.png"
        [ "$(pixel_sum "$E2E_TMP/before.png")" = "$(pixel_sum "$E2E_TMP/after.png")" ] || return 0
    done
    fail "$1"
}

# --- D-Bus, for the StatusNotifierItem hosts (gdbus, on the session bus) ---------------

bus_call() { # <destination> <object path> <interface.method> [arguments]
    local dest=$1 path=$2 method=$3
    shift 3
    gdbus call --session --dest "$dest" --object-path "$path" --method "$method" -- "$@"
}

# The process id of the owner of the bus name $1.
bus_pid() {
    bus_call org.freedesktop.DBus /org/freedesktop/DBus \
        org.freedesktop.DBus.GetConnectionUnixProcessID "$1" | sed -E 's/^\(uint32 ([0-9]+),\)$/\1/'
}

name_owned() {
    bus_call org.freedesktop.DBus /org/freedesktop/DBus org.freedesktop.DBus.NameHasOwner "$1" |
        grep -q true
}

# True when a StatusNotifierItem host is registered with the watcher.
host_registered() {
    bus_call org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
        org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher \
        IsStatusNotifierHostRegistered | grep -q true
}

# Prints "service path" of the item that the program registered with the watcher
# (listed as "service/path" or "service@/path").
registered_item() {
    local entry service path
    for entry in $(bus_call org.kde.StatusNotifierWatcher /StatusNotifierWatcher \
        org.freedesktop.DBus.Properties.Get org.kde.StatusNotifierWatcher \
        RegisteredStatusNotifierItems | grep -oE "'[^']+'" | tr -d "'"); do
        service=${entry%%/*}
        path=/${entry#*/}
        [ "$service" != "$entry" ] || path=/StatusNotifierItem
        [[ "$entry" != *@/* ]] || service=${entry%%@*} path=${entry#*@} # GNOME's form
        if [ "$(bus_pid "$service" 2>/dev/null)" = "$GLIMMERBOX_PID" ]; then
            echo "$service $path"
            return 0
        fi
    done
    return 1
}

# --- Menus drawn by a tray host ---------------------------------------------------------

# Prints "TOP BOTTOM" of each line of text of the menu (or tooltip) pictured in $1,
# one a line: runs of pixel rows with dark or greyed-out pixels inside its pale body
# (lighter than $2, by default 90%; less its rounded corners), where a pale separator
# does not count.
text_lines() {
    local w h x y
    read -r w h x y <<<"$(convert "$1" -colorspace gray -threshold "${2:-90%}" -trim \
        -format '%w %h %[fx:page.x] %[fx:page.y]' info:)"
    convert "$1" -crop "${w}x${h}+${x}+${y}" +repage -shave 10x0 -colorspace gray \
        -threshold 70% -negate -scale "1x${h}!" -depth 8 txt:- |
        awk -v y="$y" 'BEGIN { top = -1 }
        NR > 1 {
            split($1, at, /[,:]/)
            if ($3 != "#000000") { if (top < 0) top = at[2]; bottom = at[2] }
            else if (top >= 0 && at[2] - bottom > 2) { if (bottom - top >= 2) print top + y, bottom + y; top = -1 }
        }
        END { if (top >= 0 && bottom - top >= 2) print top + y, bottom + y }'
}

# --- GNOME Shell ----------------------------------------------------------------------

# Starts GNOME Shell headless on Wayland (unsafe mode, for shell_js and screenshots)
# with the extensions named on, an empty second bus as the system bus (without one
# the shell stops at start), and waits for a StatusNotifierItem host. Sets SHELL_PID,
# WAYLAND_DISPLAY and QT_QPA_PLATFORM; log: $E2E_TMP/shell.log. Exits 77 with the
# shell's last words where it cannot start here.
e2e_start_gnome_shell() {
    e2e_private_session
    export GSETTINGS_SCHEMA_DIR="$E2E_TMP/schemas"
    unset DISPLAY WAYLAND_DISPLAY
    mkdir -p "$GSETTINGS_SCHEMA_DIR"
    # The extensions on, no hot corner for a parked pointer to trip over.
    cp /usr/share/glib-2.0/schemas/*.xml "$GSETTINGS_SCHEMA_DIR/"
    {
        echo "[org.gnome.shell]"
        echo "enabled-extensions=[$(printf "'%s'," "$@" | sed 's/,$//')]"
        echo "disable-user-extensions=false"
        echo "[org.gnome.desktop.interface]"
        echo "enable-hot-corners=false"
    } >"$GSETTINGS_SCHEMA_DIR/90-glimmerbox-test.gschema.override"
    glib-compile-schemas "$GSETTINGS_SCHEMA_DIR"
    e2e_bus_config system >"$E2E_TMP/system.conf"
    dbus-daemon --config-file="$E2E_TMP/system.conf" --nofork --print-address=3 \
        3>"$E2E_TMP/system-bus" 2>/dev/null &
    E2E_PIDS+=($!)
    wait_for 50 test -s "$E2E_TMP/system-bus" || fail "the system bus did not start"
    DBUS_SYSTEM_BUS_ADDRESS=$(head -n 1 "$E2E_TMP/system-bus")
    export DBUS_SYSTEM_BUS_ADDRESS

    gnome-shell --headless --wayland --no-x11 --virtual-monitor 1280x800 --unsafe-mode \
        >"$E2E_TMP/shell.log" 2>&1 &
    SHELL_PID=$!
    E2E_PIDS+=("$SHELL_PID")
    wait_for 300 gnome_host_ready || true
    if ! kill -0 "$SHELL_PID" 2>/dev/null; then
        echo "SKIP: GNOME Shell cannot start here:" \
            "$(grep -v '^$' "$E2E_TMP/shell.log" | tail -n 1 | cut -c1-200)"
        exit 77
    fi
    gnome_host_ready || fail "no StatusNotifierItem host registered within 30 s"
    WAYLAND_DISPLAY=$(cd "$XDG_RUNTIME_DIR" && ls wayland-* | grep -v '\.lock$' | head -n 1)
    export WAYLAND_DISPLAY QT_QPA_PLATFORM=wayland
}

# True once the shell has ended or a host is registered with its watcher.
gnome_host_ready() {
    kill -0 "$SHELL_PID" || return 0
    host_registered
}

# Runs JavaScript in the shell and prints its result (a string as it is, anything
# else as JSON).
shell_js() {
    /usr/bin/python3 - "$1" <<'EOF'
import json, sys
import dbus
shell = dbus.SessionBus().get_object("org.gnome.Shell", "/org/gnome/Shell")
ok, result = shell.Eval(sys.argv[1], dbus_interface="org.gnome.Shell")
if not ok:
    sys.exit("the shell's JavaScript failed: %s" % result)
value = json.loads(result) if result else ""
print(value if isinstance(value, str) else json.dumps(value))
EOF
}

# --- KDE Plasma -----------------------------------------------------------------------

# Starts KDE Plasma: kwin_wayland nested in a private Xvfb (800x600), kded5 (the
# watcher) and kactivitymanagerd by hand, then plasmashell, and waits for its panel.
# Sets SHELL_PID, KWIN_PID, WAYLAND_DISPLAY and QT_QPA_PLATFORM; logs: kwin.log,
# kded.log, plasma.log. Exits 77 where kwin_wayland cannot start here.
e2e_start_plasma() {
    e2e_private_session
    export KDE_FULL_SESSION=true XDG_CURRENT_DESKTOP=KDE KDE_SESSION_VERSION=5
    e2e_start_display --no-tray
    xset s off # Xvfb blanks after 10 minutes, and kwin then draws nothing
    # kwin locks the screen after 5 idle minutes, and the panel with the tray is gone.
    printf '[Daemon]\nAutolock=false\nLockOnResume=false\n' >"$XDG_CONFIG_HOME/kscreenlockerrc"
    # The installed kwin_wayland carries a file capability (cap_sys_resource); where
    # the bounding set lacks it the kernel refuses to run it, and a copy without it runs.
    cp /usr/bin/kwin_wayland "$E2E_TMP/kwin_wayland"
    KWIN_COMPOSE=Q "$E2E_TMP/kwin_wayland" --x11-display "$DISPLAY" --socket wayland-plasma \
        --width 800 --height 600 >"$E2E_TMP/kwin.log" 2>&1 &
    KWIN_PID=$!
    E2E_PIDS+=("$KWIN_PID")
    wait_for 150 test -S "$XDG_RUNTIME_DIR/wayland-plasma" || true
    if ! kill -0 "$KWIN_PID" 2>/dev/null || [ ! -S "$XDG_RUNTIME_DIR/wayland-plasma" ]; then
        echo "SKIP: kwin_wayland cannot start here:" \
            "$(grep -v '^$' "$E2E_TMP/kwin.log" | tail -n 1 | cut -c1-200)"
        exit 77
    fi
    export WAYLAND_DISPLAY=wayland-plasma QT_QPA_PLATFORM=wayland
    /usr/lib/x86_64-linux-gnu/libexec/kactivitymanagerd >"$E2E_TMP/activities.log" 2>&1 &
    E2E_PIDS+=($!)
    kded5 >"$E2E_TMP/kded.log" 2>&1 &
    E2E_PIDS+=($!)
    wait_for 150 name_owned org.kde.StatusNotifierWatcher || fail "kded5 started no StatusNotifierWatcher"
    QT_QUICK_BACKEND=software plasmashell --no-respawn >"$E2E_TMP/plasma.log" 2>&1 &
    SHELL_PID=$!
    E2E_PIDS+=("$SHELL_PID")
    wait_for 600 host_registered || fail "plasmashell registered no tray host within 60 s"
    wait_for 300 plasma_panel_drawn || fail "plasmashell drew no panel"
}

# True once the panel along the bottom edge is drawn.
plasma_panel_drawn() {
    import -window root -crop 800x44+0+556 +repage "$E2E_TMP/panel.png" &&
        [ "$(convert "$E2E_TMP/panel.png" -format '%[fx:standard_deviation > 0.05]' info:)" = 1 ]
}

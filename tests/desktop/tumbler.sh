#!/usr/bin/env bash
# The thumbnailer through tumbler, the thumbnail service of Thunar and other file
# managers, over D-Bus on a private session bus: installed into a prefix whose name
# holds a space, it is found from its entry; the samples queued at the normal size are
# Ready and their thumbnails in the cache are the first frames in 8x8 blocks; the
# hostile files end in Error and leave no thumbnail.
#   tumbler.sh <source-dir> <build-dir>
set -euo pipefail
SOURCE_DIR=$1
BUILD_DIR=$2
here=$(cd "$(dirname "$0")" && pwd)

if [ "${TUMBLER_PRIVATE_BUS:-}" != 1 ]; then
    exec env TUMBLER_PRIVATE_BUS=1 dbus-run-session -- "$0" "$@"
fi
source "$here/lib.sh"

tumblerd=$(find /usr/lib /usr/libexec -path '*tumbler-1/tumblerd' -type f 2>/dev/null | head -n 1)
[ -n "$tumblerd" ] || skip "tumbler is not installed"

prefix="$DESKTOP_TMP/pre fix"
stage "" "$prefix"
files=$DESKTOP_TMP/files
make_files "$files"
export HOME=$DESKTOP_TMP/home XDG_CACHE_HOME=$DESKTOP_TMP/cache XDG_DATA_HOME=$DESKTOP_TMP/empty
export XDG_DATA_DIRS="$prefix/share:/usr/share"
mkdir -p "$HOME" "$XDG_DATA_HOME"

service=org.freedesktop.thumbnails.Thumbnailer1
object=/org/freedesktop/thumbnails/Thumbnailer1
"$tumblerd" >"$DESKTOP_TMP/tumblerd.log" 2>&1 &
DESKTOP_PIDS+=($!)
name_owned() {
    gdbus call --session --dest org.freedesktop.DBus --object-path /org/freedesktop/DBus \
        --method org.freedesktop.DBus.NameHasOwner "$service" | grep -q true
}
wait_for 100 name_owned || { cat "$DESKTOP_TMP/tumblerd.log" >&2; fail "tumblerd did not start"; desktop_finish; }

# Tumbler sends its signals to the caller alone: one client queues and listens, and
# prints "Ready URI" and "Error URI" lines until the queue is Finished.
/usr/bin/python3 - "$files"/*.gx >"$DESKTOP_TMP/signals" 2>&1 <<'PYTHON' || fail "queueing failed: $(cat "$DESKTOP_TMP/signals")"
import sys
from gi.repository import Gio, GLib

bus = Gio.bus_get_sync(Gio.BusType.SESSION)
uris = [Gio.File.new_for_path(path).get_uri() for path in sys.argv[1:]]
loop = GLib.MainLoop()
handle = None

def signal(connection, sender, path, interface, name, parameters):
    values = parameters.unpack()
    if values[0] != handle:
        return
    if name in ("Ready", "Error"):
        for uri in values[1]:
            print(name, uri, flush=True)
        if name == "Error":
            print("  (" + values[3] + ")", flush=True)
    elif name == "Finished":
        loop.quit()

bus.signal_subscribe(None, "org.freedesktop.thumbnails.Thumbnailer1", None,
                     "/org/freedesktop/thumbnails/Thumbnailer1", None,
                     Gio.DBusSignalFlags.NONE, signal)
reply = bus.call_sync("org.freedesktop.thumbnails.Thumbnailer1",
                      "/org/freedesktop/thumbnails/Thumbnailer1",
                      "org.freedesktop.thumbnails.Thumbnailer1", "Queue",
                      GLib.Variant("(asasssu)", (uris, ["application/x-glimmerbox-animation"] * len(uris),
                                                 "normal", "default", 0)),
                      GLib.VariantType("(u)"), Gio.DBusCallFlags.NONE, -1, None)
handle = reply.unpack()[0]
GLib.timeout_add_seconds(30, lambda: sys.exit("the queue did not finish within 30 s"))
loop.run()
PYTHON

for file in "$files"/*.gx; do
    uri=file://$file
    name=$(basename "$file" .gx)
    picture=$XDG_CACHE_HOME/thumbnails/normal/$(printf '%s' "$uri" | md5sum | cut -d' ' -f1).png
    ready=false
    grep -qxF "Ready $uri" "$DESKTOP_TMP/signals" && ready=true
    case $name in
    Candle | Heartbeat | Snowfall)
        $ready || fail "$name was not Ready"
        [ -f "$picture" ] || { fail "no thumbnail of $name in the cache"; continue; }
        same_blocks "$picture" "$file" 8 || fail "$name: the thumbnail is not the first frame"
        ;;
    *)
        $ready && fail "$name was Ready"
        grep -qxF "Error $uri" "$DESKTOP_TMP/signals" || fail "no Error for $name"
        [ ! -e "$picture" ] || fail "a thumbnail of $name"
        ;;
    esac
done

[ "$FAILURES" -eq 0 ] || cat "$DESKTOP_TMP/signals" >&2
desktop_finish

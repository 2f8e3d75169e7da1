#!/usr/bin/env bash
# The thumbnailer through tumbler (Thunar's thumbnail service) on a private bus, installed
# in a prefix with a space in its name: the samples queued at the normal size are Ready,
# their thumbnails the first frames in 8x8 blocks; a damaged file ends in Error, with none.
#   tumbler.sh <source-dir> <build-dir>
set -euo pipefail
SOURCE_DIR=$1 BUILD_DIR=$2
source "$(dirname "$0")/lib.sh"
e2e_private_bus "$@"

tumblerd=$(echo /usr/lib/*/tumbler-1/tumblerd)
[ -x "$tumblerd" ] || skip "tumbler is not installed"
stage "" "$E2E_TMP/pre fix"
files=$E2E_TMP/files
make_files "$files"
export HOME=$E2E_TMP/home XDG_CACHE_HOME=$E2E_TMP/cache XDG_DATA_HOME=$E2E_TMP/empty
export XDG_DATA_DIRS="$E2E_TMP/pre fix/share:/usr/share"
mkdir -p "$HOME" "$XDG_DATA_HOME"
"$tumblerd" >"$E2E_TMP/tumblerd.log" 2>&1 &
E2E_PIDS+=($!)
# tumblerd runs at the lowest priority, and its first start builds GStreamer's registry.
wait_for 600 name_owned org.freedesktop.thumbnails.Thumbnailer1 ||
    fail "tumblerd did not start within 60 s: $(cat "$E2E_TMP/tumblerd.log")"

# Tumbler signals the caller alone: one client queues and prints "Ready URI" or
# "Error URI" lines until the queue is Finished.
/usr/bin/python3 - "$files"/{Candle,Heartbeat,Snowfall,hostile-cut}.gx >"$E2E_TMP/signals" 2>&1 <<'PYTHON' || fail "queueing: $(cat "$E2E_TMP/signals")"
import sys
from gi.repository import Gio, GLib
bus, name = Gio.bus_get_sync(Gio.BusType.SESSION), "org.freedesktop.thumbnails.Thumbnailer1"
path, loop, handle = "/org/freedesktop/thumbnails/Thumbnailer1", GLib.MainLoop(), []
def signal(connection, sender, path, interface, member, parameters):
    values = parameters.unpack()
    if values[0] in handle and member in ("Ready", "Error"):
        print("\n".join(member + " " + uri for uri in values[1]), flush=True)
    if values[0] in handle and member == "Finished":
        loop.quit()
bus.signal_subscribe(None, name, None, path, None, 0, signal)
uris = [Gio.File.new_for_path(file).get_uri() for file in sys.argv[1:]]
handle += bus.call_sync(name, path, name, "Queue", GLib.Variant("(asasssu)", (
    uris, ["application/x-glimmerbox-animation"] * len(uris), "normal", "default", 0)),
    None, 0, -1, None).unpack()
GLib.timeout_add_seconds(30, lambda: sys.exit("not finished within 30 s"))
loop.run()
PYTHON

for name in Candle Heartbeat Snowfall hostile-cut; do
    uri=file://$files/$name.gx
    picture=$XDG_CACHE_HOME/thumbnails/normal/$(printf %s "$uri" | md5sum | cut -d' ' -f1).png
    if [ "$name" = hostile-cut ]; then
        grep -qxF "Error $uri" "$E2E_TMP/signals" && [ ! -e "$picture" ] || fail "$name: $(cat "$E2E_TMP/signals")"
    else
        grep -qxF "Ready $uri" "$E2E_TMP/signals" || fail "$name: $(cat "$E2E_TMP/signals")"
        same_blocks "$picture" "$files/$name.gx" 8 || fail "$name: the thumbnail is not the first frame"
    fi
done
echo PASS

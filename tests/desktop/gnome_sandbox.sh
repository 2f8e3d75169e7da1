#!/usr/bin/env bash
# The thumbnailer as GNOME's library (gir1.2-gnomedesktop-3.0) runs it from its entry,
# at 128 pixels, in GNOME's bubblewrap sandbox (only /usr, read-only; a private /tmp with
# input and output; no network, no display; a system call filter), staged in /usr/local
# in a mount namespace of this test. Each sample gives its first frame in 8x8 blocks,
# any other file nothing. 77, saying why, when bwrap or the namespace cannot be had.
#   gnome_sandbox.sh <source-dir> <build-dir>
set -euo pipefail
SOURCE_DIR=$1 BUILD_DIR=$2
source "$(dirname "$0")/lib.sh"

/usr/bin/bwrap --ro-bind / / --unshare-all /usr/bin/true 2>"$E2E_TMP/probe" ||
    skip "bwrap cannot make a sandbox here: $(cat "$E2E_TMP/probe")"
unshare --mount true 2>"$E2E_TMP/probe" || skip "no mount namespace here: $(cat "$E2E_TMP/probe")"
stage "$E2E_TMP/root" /usr/local
files=$E2E_TMP/files
make_files "$files"
status=0 # a size of none is a wrong command line
"$E2E_TMP"/root/usr/local/lib/glimmerbox/glimmerbox-thumbnailer -s 0 "$files/Candle.gx" "$E2E_TMP/x.png" 2>/dev/null || status=$?
[ "$status" = 2 ] || fail "-s 0 gave status $status"
mkdir -p "$E2E_TMP/home" "$E2E_TMP/empty" "$E2E_TMP/gnome"
# Nothing outside /usr is seen there: no sanitizer log file nor suppressions file; and
# under the system call filter the leak check (which stops the threads to look) dies.
without() { tr : '\n' <<<"$1" | grep -v "^$2=" | paste -sd: -; }
unshare --mount --propagation private -- env -i PATH=/usr/bin:/bin HOME="$E2E_TMP/home" \
    XDG_DATA_HOME="$E2E_TMP/empty" XDG_DATA_DIRS=/usr/local/share:/usr/share GSETTINGS_BACKEND=memory \
    LSAN_OPTIONS="$(without "${LSAN_OPTIONS:-}" suppressions)" ASAN_OPTIONS="$(without "$ASAN_OPTIONS" log_path):detect_leaks=0" \
    UBSAN_OPTIONS="$(without "$UBSAN_OPTIONS" log_path)" \
    bash -c 'mount --bind "$0" /usr/local && exec /usr/bin/python3 - "$@"' \
    "$E2E_TMP/root/usr/local" "$E2E_TMP/gnome" "$files"/*.gx >"$E2E_TMP/gnome.log" 2>&1 <<'PYTHON' ||
import os, sys, gi
gi.require_version("GnomeDesktop", "3.0")
from gi.repository import GLib, GnomeDesktop, Gio
factory = GnomeDesktop.DesktopThumbnailFactory.new(GnomeDesktop.DesktopThumbnailSize.NORMAL)
for path in sys.argv[2:]:
    uri, kind = Gio.File.new_for_path(path).get_uri(), "application/x-glimmerbox-animation"
    assert factory.can_thumbnail(uri, kind, 0), "no thumbnailer for " + path
    try:
        out = os.path.join(sys.argv[1], os.path.basename(path) + ".png")
        factory.generate_thumbnail(uri, kind, None).savev(out, "png", [], [])
    except GLib.Error as error:
        print(path, error.message)
PYTHON
    fail "the run through GNOME's library failed: $(cat "$E2E_TMP/gnome.log")"
for file in "$files"/*.gx; do
    name=$(basename "$file" .gx) picture=$E2E_TMP/gnome/$(basename "$file").png
    case $name in
    Candle | Heartbeat | Snowfall) same_blocks "$picture" "$file" 8 || fail "$name is not the first frame: $(cat "$E2E_TMP/gnome.log")" ;;
    *) [ ! -e "$picture" ] || fail "GNOME's library made a thumbnail of $name" ;;
    esac
done
echo PASS

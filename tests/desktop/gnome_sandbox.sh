#!/usr/bin/env bash
# The thumbnailer where GNOME's file manager runs it: in a bubblewrap sandbox that shows
# only /usr, read-only (here with the thumbnailer installed in /usr/local), its own /proc
# and /dev, and a private /tmp holding the input and taking the output; no network, no
# display. It is started as the installed thumbnailer entry says, for the normal size:
# - each sample gives /tmp/gnome-desktop-thumbnailer.png, its first frame in 8x8 blocks;
# - each hostile file gives a non-zero status and no file, within a second.
# Then, where GNOME's thumbnail library is installed (gir1.2-gnomedesktop-3.0), the
# samples and the hostile files once more through the library itself, which finds the
# installed entry and builds its own sandbox, system call filter included: the staged
# /usr/local is put in place in a mount namespace of this test only.
# Exits with 77, saying why, when bwrap cannot make a sandbox here.
#   gnome_sandbox.sh <source-dir> <build-dir>
set -euo pipefail
SOURCE_DIR=$1
BUILD_DIR=$2
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

# Debian's bwrap, as GNOME's library runs it; nothing else of that name on the PATH.
bwrap=/usr/bin/bwrap
[ -x "$bwrap" ] || skip "bubblewrap is not installed ($bwrap)"
# The sandbox shows nothing outside /usr, so the sanitizers of a test build must not
# look for their suppressions file there (the thumbnailer needs none).
if [ -n "${LSAN_OPTIONS:-}" ]; then
    LSAN_OPTIONS=$(tr ':' '\n' <<<"$LSAN_OPTIONS" | grep -v '^suppressions=' | paste -sd: -)
    export LSAN_OPTIONS
fi

root=$DESKTOP_TMP/root
stage "$root" /usr/local
entry=$root/usr/local/share/thumbnailers/net.glimmerbox.Glimmerbox.thumbnailer
exec_line=$(sed -n 's/^Exec=//p' "$entry")
[[ "$exec_line" == /usr/local/lib/glimmerbox/glimmerbox-thumbnailer\ * ]] ||
    fail "the entry starts $exec_line"
read -ra command <<<"$exec_line"

# sandboxed <input> <output folder> <program and arguments...>: GNOME's layout.
sandboxed() {
    local input=$1 out=$2 dir
    shift 2
    local layout=(--ro-bind /usr /usr --ro-bind "$root/usr/local" /usr/local
        --ro-bind-try /etc/ld.so.cache /etc/ld.so.cache)
    # Folders that a merged /usr turns into links are links in the sandbox too.
    for dir in bin lib lib64 sbin; do
        if [ -L "/$dir" ]; then
            layout+=(--symlink "$(readlink "/$dir")" "/$dir")
        elif [ -d "/$dir" ]; then
            layout+=(--ro-bind "/$dir" "/$dir")
        fi
    done
    layout+=(--proc /proc --dev /dev --chdir / --setenv GIO_USE_VFS local
        --unshare-all --die-with-parent --bind "$out" /tmp)
    [ -z "$input" ] || layout+=(--ro-bind "$input" /tmp/gnome-desktop-file-to-thumbnail.gx)
    "$bwrap" "${layout[@]}" "$@"
}

mkdir -p "$DESKTOP_TMP/probe"
sandboxed "" "$DESKTOP_TMP/probe" /usr/bin/true 2>"$DESKTOP_TMP/probe.err" ||
    skip "bwrap cannot make a sandbox here: $(cat "$DESKTOP_TMP/probe.err")"

# thumbnail <file>: runs the entry's command in the sandbox; the output folder is
# $DESKTOP_TMP/out/<name>, the status in $status, the time taken in $took (ms).
thumbnail() {
    local out=$DESKTOP_TMP/out/$(basename "$1") word arguments=() start
    mkdir -p "$out"
    for word in "${command[@]}"; do
        case $word in
        %s) arguments+=(128) ;;
        %i) arguments+=(/tmp/gnome-desktop-file-to-thumbnail.gx) ;;
        %o) arguments+=(/tmp/gnome-desktop-thumbnailer.png) ;;
        *) arguments+=("$word") ;;
        esac
    done
    start=$(date +%s%N)
    status=0
    sandboxed "$1" "$out" "${arguments[@]}" 2>"$out.err" || status=$?
    took=$((($(date +%s%N) - start) / 1000000))
}

files=$DESKTOP_TMP/files
make_files "$files"
for sample in "$files"/Candle.gx "$files"/Heartbeat.gx "$files"/Snowfall.gx; do
    thumbnail "$sample"
    picture=$DESKTOP_TMP/out/$(basename "$sample")/gnome-desktop-thumbnailer.png
    [ "$status" -eq 0 ] || fail "$(basename "$sample"): status $status: $(cat "$picture.err" 2>/dev/null)"
    [ -f "$picture" ] || { fail "$(basename "$sample"): no picture"; continue; }
    same_blocks "$picture" "$sample" 8 || fail "$(basename "$sample"): not the first frame"
done
for hostile in "$files"/hostile-*.gx "$files"/notes.gx "$files"/printer.gx; do
    thumbnail "$hostile"
    [ "$status" -ne 0 ] || fail "$(basename "$hostile"): status 0"
    # Nothing but the place the input was mounted on (bwrap makes it).
    left=$(ls -A "$DESKTOP_TMP/out/$(basename "$hostile")" | grep -vx gnome-desktop-file-to-thumbnail.gx || true)
    [ -z "$left" ] || fail "$(basename "$hostile"): left $left"
    [ "$took" -lt 1000 ] || fail "$(basename "$hostile"): took $took ms"
done

# --- GNOME's own library, where it is installed and a mount namespace can be had.
if ! /usr/bin/python3 -c 'import gi; gi.require_version("GnomeDesktop", "3.0")' 2>/dev/null; then
    echo "GNOME's thumbnail library (gir1.2-gnomedesktop-3.0) is not installed: its run is left out"
elif ! unshare --mount --propagation private true 2>/dev/null; then
    echo "no mount namespace can be made here: the run through GNOME's library is left out"
else
    mkdir -p "$DESKTOP_TMP/home" "$DESKTOP_TMP/empty" "$DESKTOP_TMP/gnome"
    names=()
    for file in "$files"/*.gx; do
        names+=("$file" "$DESKTOP_TMP/gnome/$(basename "$file" .gx).png")
    done
    unshare --mount --propagation private -- env -i PATH=/usr/bin:/bin HOME="$DESKTOP_TMP/home" \
        XDG_DATA_HOME="$DESKTOP_TMP/empty" XDG_DATA_DIRS=/usr/local/share:/usr/share \
        GSETTINGS_BACKEND=memory LSAN_OPTIONS="${LSAN_OPTIONS:-}" ASAN_OPTIONS="${ASAN_OPTIONS:-}" \
        UBSAN_OPTIONS="${UBSAN_OPTIONS:-}" \
        bash -c 'mount --bind "$0" /usr/local && exec /usr/bin/python3 - "$@"' \
        "$root/usr/local" "${names[@]}" >"$DESKTOP_TMP/gnome.log" 2>&1 <<'PYTHON' ||
import sys
import gi
gi.require_version("GnomeDesktop", "3.0")
from gi.repository import GLib, GnomeDesktop, Gio

factory = GnomeDesktop.DesktopThumbnailFactory.new(GnomeDesktop.DesktopThumbnailSize.NORMAL)
kind = "application/x-glimmerbox-animation"
for path, out in zip(sys.argv[1::2], sys.argv[2::2]):
    uri = Gio.File.new_for_path(path).get_uri()
    if not factory.can_thumbnail(uri, kind, 0):
        sys.exit(f"GNOME's library has no thumbnailer for {path}")
    try:
        factory.generate_thumbnail(uri, kind, None).savev(out, "png", [], [])
    except GLib.Error as error:
        print(f"{path}: {error.message}")
PYTHON
        fail "the run through GNOME's library failed: $(cat "$DESKTOP_TMP/gnome.log")"
    for file in "$files"/*.gx; do
        name=$(basename "$file" .gx)
        picture=$DESKTOP_TMP/gnome/$name.png
        case $name in
        Candle | Heartbeat | Snowfall)
            [ -f "$picture" ] || { fail "GNOME's library made no thumbnail of $name"; continue; }
            same_blocks "$picture" "$file" 8 || fail "GNOME's library: $name is not the first frame"
            ;;
        *) [ ! -e "$picture" ] || fail "GNOME's library made a thumbnail of $name" ;;
        esac
    done
    echo "through GNOME's library: $(grep -c '' "$DESKTOP_TMP/gnome.log") files refused, as they should be"
fi

desktop_finish

# Shared helpers of the desktop tests: the files Glimmerbox installs for file managers,
# staged below a temporary root, the files a file manager is shown, and thumbnails
# compared with the first frame, block for block. Source it with SOURCE_DIR and
# BUILD_DIR set; every check goes on after a failure, and desktop_finish reports.

DESKTOP_TMP=$(mktemp -d /tmp/glimmerbox-desktop.XXXXXX)
DESKTOP_PIDS=()
FAILURES=0

desktop_cleanup() {
    local pid
    for pid in "${DESKTOP_PIDS[@]}"; do
        kill "$pid" 2>/dev/null || true
    done
    wait 2>/dev/null || true
    rm -rf "$DESKTOP_TMP"
}
trap desktop_cleanup EXIT

fail() {
    echo "FAIL: $*" >&2
    FAILURES=$((FAILURES + 1))
}

desktop_finish() {
    if [ "$FAILURES" -gt 0 ]; then
        echo "$FAILURES failure(s)" >&2
        exit 1
    fi
    echo PASS
    exit 0
}

skip() {
    echo "SKIPPED: $*"
    exit 77
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

# stage <root> <prefix>: the file types and the thumbnailer, as `cmake --install`
# puts them below <prefix>, staged below <root> (empty: installed in <prefix> itself).
stage() {
    local component
    for component in filetypes thumbnailer; do
        DESTDIR=$1 cmake --install "$BUILD_DIR" --prefix "$2" --component "$component" \
            >"$DESKTOP_TMP/install.log" 2>&1 || {
            cat "$DESKTOP_TMP/install.log" >&2
            fail "cmake --install --component $component failed"
        }
    done
}

# make_files <folder>: the files a file manager is shown. The samples (animations and
# their projects); G-code as slicers write it for printers that take *.gx ("xgcode 1.0",
# a binary header and preview, then the commands); a text file named *.gx; and, named
# hostile-*, animations the player refuses.
make_files() {
    local to=$1 sample
    mkdir -p "$to"
    cp "$SOURCE_DIR"/samples/*.gx "$SOURCE_DIR"/samples/*/*.rgx "$to/"
    {
        printf 'xgcode 1.0\n'
        head -c 64 /dev/zero
        printf 'BM\x36\x03\x00\x00\x00\x00\x00\x00\x36\x00\x00\x00'
        head -c 200 /dev/zero | tr '\0' '\377'
        printf ';FLAVOR:Marlin\nG28 ; home\nG1 X10 Y10 F3000\n'
    } >"$to/printer.gx"
    printf 'Shopping list\nmilk\nbread\n' >"$to/notes.gx"
    sample=$SOURCE_DIR/samples/Candle.gx
    head -c 100 "$sample" >"$to/hostile-cut.gx"
    head -c 26 "$sample" | sed 's/^GX2.0318  7 10/GX2.0318  7  0/' >"$to/hostile-no-frames.gx"
    { printf 'GX2.1'; tail -c +6 "$sample"; } >"$to/hostile-newer.gx"
    { head -c 26 "$sample"; head -c $((318 * 10)) /dev/zero; } >"$to/hostile-no-pictures.gx"
}

# first_frame <file.gx> <icon>: the first record of a compiled file, as long as its
# header says.
first_frame() {
    local size
    size=$(head -c 10 "$1" | tail -c 5 | tr -d ' ')
    tail -c +27 "$1" | head -c "$size" >"$2"
}

# same_blocks <picture.png> <file.gx> <block>: true when the picture is the first frame
# of <file.gx>, each pixel a <block> x <block> square, transparent where the frame is.
same_blocks() {
    local frame=$DESKTOP_TMP/frame.ico difference
    first_frame "$2" "$frame"
    # Fully transparent pixels count as equal whatever colour they carry.
    convert "$frame" -sample "$((100 * $3))%" -background black -alpha background \
        "$DESKTOP_TMP/expected.png" || return 1
    convert "$1" -background black -alpha background "$DESKTOP_TMP/actual.png" || return 1
    difference=$(compare -metric AE "$DESKTOP_TMP/expected.png" "$DESKTOP_TMP/actual.png" \
        null: 2>&1) || true
    [ "$difference" = 0 ] || {
        echo "$1: $difference pixels differ from the first frame of $2" >&2
        return 1
    }
}

# Helpers of the desktop tests on top of the end-to-end ones ($E2E_TMP, fail, wait_for):
# the staged install, the files shown, thumbnails against the first frame. Source it
# with SOURCE_DIR and BUILD_DIR set.
source "$(dirname "${BASH_SOURCE[0]}")/../e2e/lib.sh"

skip() {
    echo "SKIPPED: $*"
    exit 77
}

# stage <root> <prefix>: the file types and the thumbnailer as `cmake --install` puts
# them below <prefix>, staged below <root> (empty: in <prefix> itself).
stage() {
    local component
    for component in filetypes thumbnailer; do
        DESTDIR=$1 cmake --install "$BUILD_DIR" --prefix "$2" --component "$component" \
            >"$E2E_TMP/install.log" 2>&1 || fail "installing $component: $(cat "$E2E_TMP/install.log")"
    done
}

# make_files <folder>: the samples (animations and projects); G-code as slicers write
# it for printers that take *.gx ("xgcode 1.0", a binary header and preview, then the
# commands); a text file named *.gx; and, named hostile-*, animations the player refuses.
make_files() {
    local to=$1 sample=$SOURCE_DIR/samples/Candle.gx
    mkdir -p "$to"
    cp "$SOURCE_DIR"/samples/*.gx "$SOURCE_DIR"/samples/*/*.rgx "$to/"
    { printf 'xgcode 1.0\n'; head -c 64 /dev/zero; printf BM; head -c 200 /dev/zero | tr '\0' '\377'
        printf 'G28 ; home\nG1 X10 Y10\n'; } >"$to/printer.gx"
    printf 'Shopping list\nmilk\n' >"$to/notes.gx"
    head -c 100 "$sample" >"$to/hostile-cut.gx"
    { head -c 26 "$sample"; head -c 3180 /dev/zero; } >"$to/hostile-no-pictures.gx"
}

# same_blocks <picture.png> <file.gx> <block>: true when the picture is the first frame
# of <file.gx> (the record as long as its header says), each pixel a <block>-pixel
# square; fully transparent pixels are equal whatever colour they carry.
same_blocks() {
    local size difference
    size=$(head -c 10 "$2" | tail -c 5 | tr -d ' ')
    tail -c +27 "$2" | head -c "$size" >"$E2E_TMP/frame.ico"
    convert "$E2E_TMP/frame.ico" -sample "$((100 * $3))%" -background black -alpha background \
        "$E2E_TMP/expected.png" && convert "$1" -background black -alpha background "$E2E_TMP/got.png" &&
        difference=$(compare -metric AE "$E2E_TMP/expected.png" "$E2E_TMP/got.png" null: 2>&1) &&
        [ "$difference" = 0 ]
}

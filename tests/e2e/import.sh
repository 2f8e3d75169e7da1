#!/usr/bin/env bash
# End to end: an animated GIF becomes an animation that plays in the tray.
# - On the command line, with no display: the icons, the .rgx and the .gx it writes
#   (every icon a one-image 16x16, 16-colour .ico holding its frame's colour; the
#   .gx carrying those icons under the title the file name gives), a second import
#   beside the first, --output taking everything (as an ordinary user, from a folder
#   that user may not write to), an older animation never replaced, a name with no
#   letter a title holds; the .gx then plays in the tray, frame by frame in the GIF's
#   colours and order.
# - Refusals: a text file named .gif, a missing file, an output folder that cannot
#   be written to or does not exist: status 1, one line on stderr, nothing written.
# - Through the editor's Import button and Qt's file dialog: the icons appear beside
#   the GIF, the editor shows frame 1, and Compile writes the same .gx as the command
#   line did.
# Usage: import.sh <path to glimmerbox>
set -euo pipefail
binary=$(realpath "$1")
source "$(dirname "$0")/lib.sh"

# The GIF: four 48x48 frames, each one standard colour, 20/100 s apiece.
colours=(ff0000 00ff00 0000ff ffff00)
name=signal-colours
title=signal-colou # the file name cut to a title's twelve characters
make_gif() {
    local c args=()
    for c in "${colours[@]}"; do args+=("xc:#$c"); done
    convert -delay 20 -size 48x48 "${args[@]}" -loop 0 "$1"
}

# Runs an import without a display; its output lands in $E2E_TMP/out and err.
run_import() {
    local status=0
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$binary" --import "$@" \
        >"$E2E_TMP/out" 2>"$E2E_TMP/err" || status=$?
    return "$status"
}

# Every file under $1 with its size, to compare before and after.
listing() {
    find "$1" -printf '%P %s\n' | sort
}

# Checks the icons $2... against the GIF's frames, in order, and, when $1 is not
# "-", that the .gx $1 is the header with the title, the speed of a 200 ms frame
# (step 6), four frames of 318 bytes, followed by those icons.
check_animation() {
    python3 - "$title" "${colours[*]}" "$@" <<'EOF'
import struct, sys
title, colours, gx, icons = sys.argv[1], sys.argv[2].split(), sys.argv[3], sys.argv[4:]
def fail(message):
    sys.exit(f"FAIL: {message}")
if len(icons) != len(colours):
    fail(f"{len(icons)} icons for {len(colours)} frames")
records = b""
for path, colour in zip(icons, colours):
    data = open(path, "rb").read()
    if len(data) != 318:
        fail(f"{path}: {len(data)} bytes, not 318")
    # ICONDIR: reserved, type 1 (icon), one image; its entry: 16x16, 16 colours,
    # 1 plane, 4 bits a pixel, 296 bytes of image at offset 22.
    if struct.unpack_from("<HHH", data, 0) != (0, 1, 1):
        fail(f"{path}: not a one-image icon file")
    if struct.unpack_from("<BBBBHHII", data, 6) != (16, 16, 16, 0, 1, 4, 296, 22):
        fail(f"{path}: its entry is not 16x16 with 16 colours")
    # The image: a 40-byte header (the height counts the mask too), 16 BGRA palette
    # entries, 16 rows of 4-bit pixels, 16 rows of the 1-bit mask.
    if struct.unpack_from("<IiiHHI", data, 22) != (40, 16, 32, 1, 4, 0):
        fail(f"{path}: its bitmap header is not a 16x32, 4-bit one")
    palette = [data[62 + 4 * i:65 + 4 * i][::-1].hex() for i in range(16)]
    pixels = {palette[b >> 4] for b in data[126:254]} | {palette[b & 15] for b in data[126:254]}
    if pixels != {colour}:
        fail(f"{path}: colours {sorted(pixels)} instead of {colour} alone")
    if any(data[254:318]):
        fail(f"{path}: clear pixels in a frame that has none")
    records += data
if gx != "-":
    data = open(gx, "rb").read()
    header = b"GX2.0" + b"318".ljust(5) + b"6".ljust(2) + b"4".ljust(2) + title.encode().ljust(12)
    if len(data) != 26 + 4 * 318:
        fail(f"{gx}: {len(data)} bytes, not {26 + 4 * 318}")
    if data[:26] != header:
        fail(f"{gx}: header {data[:26]!r}, not {header!r}")
    if data[26:] != records:
        fail(f"{gx}: its frames are not the icons")
EOF
}

# The colour of the middle pixel of the tray slot, as six hex digits.
slot_colour() {
    local x y w h
    read -r x y w h <<<"$(tray_slot)"
    [ -n "$w" ] || return 1
    import -window root -crop "1x1+$((x + w / 2))+$((y + h / 2))" +repage -depth 8 rgb:- | od -An -tx1 | tr -d " \n"
}

# How many pixels of the PNG $1 have exactly the colour $2 (six hex digits).
pixels_of_colour() {
    convert "$1" -alpha off -fill black +opaque "#$2" -fill white -opaque "#$2" \
        -format '%[fx:int(mean * w * h + 0.5)]' info:
}

start=$(date +%s)
cli="$E2E_TMP/cli"
mkdir -p "$cli"
make_gif "$cli/$name.gif"

echo "-- the command line, with no display, turns the GIF into icons, a .rgx and a .gx"
run_import "$cli/$name.gif" || fail "the import ended with status $?: $(cat "$E2E_TMP/err")"
[ ! -s "$E2E_TMP/err" ] || fail "the import wrote to stderr: $(cat "$E2E_TMP/err")"
frames="$cli/$name-frames"
expected=$(for i in 1 2 3 4; do echo "$frames/${name}0$i.ico"; done
    echo "$frames/$title.rgx"
    echo "$frames/$title.gx")
[ "$(cat "$E2E_TMP/out")" = "$expected" ] ||
    fail "the paths printed were:"$'\n'"$(cat "$E2E_TMP/out")"$'\n'"instead of:"$'\n'"$expected"
[ "$(find "$frames" -type f | sort)" = "$(sort <<<"$expected")" ] ||
    fail "the new folder holds other files than those printed: $(ls "$frames")"
icons=("$frames/${name}01.ico" "$frames/${name}02.ico" "$frames/${name}03.ico" "$frames/${name}04.ico")
check_animation "$frames/$title.gx" "${icons[@]}" || fail "the imported files are not right"
# The .rgx: title, speed step, frames, icon size, then each icon's full path.
rgx_lines=$(tr -d '\r' <"$frames/$title.rgx" | tail -n +3)
[ "$rgx_lines" = "$(printf '%s\n' "$title" 6 4 318 "${icons[@]}")" ] ||
    fail "the .rgx holds:"$'\n'"$rgx_lines"
echo "4 icons of 318 bytes, $title.rgx, $title.gx of $(stat -c %s "$frames/$title.gx") bytes"

echo "-- a second import goes into a folder of its own"
run_import "$cli/$name.gif" || fail "the second import failed: $(cat "$E2E_TMP/err")"
second="$cli/$name-frames-2"
[ "$(cat "$E2E_TMP/out")" = "$(for i in 1 2 3 4; do echo "$second/${name}0$i.ico"; done
    echo "$second/$title.rgx"
    echo "$second/$title.gx")" ] || fail "the second import printed:"$'\n'"$(cat "$E2E_TMP/out")"
cmp -s "$frames/$title.gx" "$second/$title.gx" || fail "the second import's .gx differs from the first"

echo "-- --output DIR takes everything: a picture in a folder one may not write to imports"
# As an ordinary user, from a folder only root may write to, into one anybody may.
chmod 755 "$E2E_TMP"
shared=$E2E_TMP/shared
mkdir -m 755 "$shared"
cp "$cli/$name.gif" "$shared/"
mkdir -m 777 "$shared/out" "$shared/sanitizer"
status=0
ASAN_OPTIONS=${ASAN_OPTIONS/log_path=$E2E_TMP/log_path=$shared\/sanitizer} \
    UBSAN_OPTIONS=${UBSAN_OPTIONS/log_path=$E2E_TMP/log_path=$shared\/sanitizer} \
    setpriv --reuid=65534 --regid=65534 --clear-groups \
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM HOME="$shared/out" \
    "$binary" --import "$shared/$name.gif" --output "$shared/out" \
    >"$E2E_TMP/out" 2>"$E2E_TMP/err" || status=$?
cp "$shared"/sanitizer/* "$E2E_TMP/" 2>/dev/null || true
[ "$status" -eq 0 ] || fail "the import as an ordinary user ended with $status: $(cat "$E2E_TMP/err")"
out="$shared/out"
expected=$(for i in 1 2 3 4; do echo "$out/$name-frames/${name}0$i.ico"; done
    echo "$out/$title.rgx"
    echo "$out/$title.gx")
[ "$(cat "$E2E_TMP/out")" = "$expected" ] ||
    fail "the import with --output printed:"$'\n'"$(cat "$E2E_TMP/out")"
cmp -s "$frames/$title.gx" "$out/$title.gx" || fail "the import with --output wrote another .gx"

echo "-- an older animation of the same title is never replaced: the next free name"
old=$(cd "$out" && md5sum "$title.rgx" "$title.gx")
run_import "$shared/$name.gif" --output "$out" || fail "the import beside an older one failed"
[ "$(tail -n 2 "$E2E_TMP/out")" = "$(printf '%s\n' "$out/$title-2.rgx" "$out/$title-2.gx")" ] ||
    fail "the import beside an older one printed:"$'\n'"$(cat "$E2E_TMP/out")"
[ "$(cd "$out" && md5sum "$title.rgx" "$title.gx")" = "$old" ] || fail "the older animation changed"
cmp -s "$out/$title.gx" "$out/$title-2.gx" || fail "the new animation's .gx is not the same GIF's"

echo "-- a name without a letter a title can hold gives the title \"Animation\""
cp "$cli/$name.gif" "$shared/out/файл.gif"
run_import "$shared/out/файл.gif" || fail "the import of файл.gif failed: $(cat "$E2E_TMP/err")"
[ "$(head -c 26 "$out/файл-frames/Animation.gx")" = "GX2.0318  6 4 Animation   " ] ||
    fail "the header is \"$(head -c 26 "$out/файл-frames/Animation.gx")\""

echo "-- refused: status 1, one line on stderr, nothing written"
echo "not a picture" >"$cli/notes.gif"
refused() {
    local what=$1 before status=0
    shift
    before=$(listing "$cli")
    run_import "$@" || status=$?
    [ "$status" -eq 1 ] || fail "$what: status $status instead of 1"
    [ "$(wc -l <"$E2E_TMP/err")" -eq 1 ] || fail "$what: stderr was:"$'\n'"$(cat "$E2E_TMP/err")"
    [ ! -s "$E2E_TMP/out" ] || fail "$what: it printed $(cat "$E2E_TMP/out")"
    [ "$(listing "$cli")" = "$before" ] || fail "$what: it left files behind:"$'\n'"$(
        diff <(echo "$before") <(listing "$cli") || true)"
    echo "$what: $(cat "$E2E_TMP/err")"
}
refused "a text file named .gif" "$cli/notes.gif"
refused "a missing file" "$cli/missing.gif"
refused "an output folder that takes no file" "$cli/$name.gif" --output /proc
refused "an output folder under a file" "$cli/$name.gif" --output /etc/passwd/x
refused "a missing file among pictures" "$cli/$name.gif" "$cli/missing.gif"

echo "-- the .gx plays in the tray: the GIF's four colours in turn"
# Arguments that are not the program's own are Qt's: the program starts as ever.
E2E_PROGRAM_ARGS="-session 10abc -style Fusion"
e2e_start_display
e2e_start_glimmerbox "$binary" "Previous=7" "Custom=$frames/$title.gx" "Speed=500"
wait_for 100 icon_in_tray || fail "no icon in the tray"
# Shots of the slot's middle pixel, each with its time in ms, until every colour has
# shown twice or 6 seconds have passed.
declare -A seen=()
shots=()
until_ms=$((${EPOCHREALTIME//[.,]/} / 1000 + 6000))
while [ $((${EPOCHREALTIME//[.,]/} / 1000)) -lt "$until_ms" ]; do
    colour=$(slot_colour) || fail "the icon left the tray"
    shots+=("$((${EPOCHREALTIME//[.,]/} / 1000)) $colour")
    seen[$colour]=$((${seen[$colour]:-0} + 1))
    all=true
    for c in "${colours[@]}"; do
        [ "${seen[$c]:-0}" -ge 2 ] || all=false
    done
    $all && break
done
for c in "${colours[@]}"; do
    [ -n "${seen[$c]:-}" ] || fail "the tray never showed #$c in ${#shots[@]} shots; it showed: ${!seen[*]}"
done
# From the first frame on the slot shows the four colours only; between two shots the
# icon moves one frame on, or two when the shots were more than a frame (500 ms)
# apart; never back.
printf '%s\n' "${shots[@]}" | awk -v order="${colours[*]}" '
    BEGIN { n = split(order, c, " "); for (i = 1; i <= n; i++) index_of[c[i]] = i - 1 }
    !($2 in index_of) {
        if (!seen) next # the slot before the first frame
        printf "FAIL: the tray showed #%s after #%s\n", $2, last > "/dev/stderr"; exit 1
    }
    seen && $2 != last {
        step = (index_of[$2] - index_of[last] + n) % n
        if (step != 1 && !(step == 2 && $1 - at > 500)) {
            printf "FAIL: the tray went from #%s to #%s\n", last, $2 > "/dev/stderr"; exit 1
        }
    }
    { seen = 1; last = $2; at = $1 }' || fail "the frames did not play in the GIF's order"
echo "${#shots[@]} shots: every colour in turn"

echo "-- the editor's Import button takes the GIF through Qt's file dialog"
drawn="$E2E_TMP/drawn"
mkdir -p "$drawn"
make_gif "$drawn/$name.gif"
choose_menu_entry 2
wait_for 50 window_shown "Custom Glimmerbox" || fail "Edit did not open the editor"
sleep 0.3
import -window "$(window_id "Custom Glimmerbox")" "$E2E_TMP/editor-before.png"
# The left column's fourth button, under Save: (8, 128), 73 x 33.
click_in_window "Custom Glimmerbox" $((8 + 36)) $((128 + 16))
wait_for 50 window_shown "Open" || fail "Import showed no file dialog"
type_into_file_dialog Open "$drawn/$name.gif" || fail "the file dialog did not take the GIF"
drawn_frames="$drawn/$name-frames"
icons=("$drawn_frames/${name}01.ico" "$drawn_frames/${name}02.ico"
    "$drawn_frames/${name}03.ico" "$drawn_frames/${name}04.ico")
icons_written() {
    [ "$(find "$drawn" -type f | sort)" = "$(printf '%s\n' "$drawn/$name.gif" "${icons[@]}" | sort)" ]
}
wait_for 50 icons_written || fail "after Import the GIF's folder holds:"$'\n'"$(find "$drawn" -type f)"
window_shown "Error" && fail "the editor refused the GIF"
check_animation - "${icons[@]}" || fail "the editor's icons are not right"
# Frame 1 on the Animation page: the GIF's first colour fills at least 16x16 pixels of
# the window, where there were next to none before.
before=$(pixels_of_colour "$E2E_TMP/editor-before.png" "${colours[0]}")
[ "$before" -lt 16 ] || fail "the editor showed #${colours[0]} before Import ($before pixels)"
editor_shows_frame_1() {
    import -window "$(window_id "Custom Glimmerbox")" "$E2E_TMP/editor-after.png" &&
        after=$(pixels_of_colour "$E2E_TMP/editor-after.png" "${colours[0]}") &&
        [ "$after" -ge 256 ]
}
after=0
wait_for 30 editor_shows_frame_1 || fail "the editor shows no frame 1 ($after pixels of #${colours[0]})"
echo "the icons are beside the GIF; the editor shows frame 1 ($after pixels of #${colours[0]})"

echo "-- Compile in the editor writes the .gx the command line wrote"
compile_in_editor "$drawn/editor.gx"
[ -f "$drawn/editor.gx" ] || fail "no $drawn/editor.gx; the folder holds: $(ls "$drawn")"
cmp -s "$frames/$title.gx" "$drawn/editor.gx" ||
    fail "the editor compiled another animation than the command line's"
click_in_window "Custom Glimmerbox" $((8 + 36)) $((192 + 16)) # Close
wait_for 30 window_gone "Custom Glimmerbox" || fail "Close did not close the editor"

echo "-- Exit ends the program with status 0"
click_slot 3
wait_for 30 menu_open || fail "the menu did not open after the editor closed"
xdotool key Up Return
exit_status_of "$GLIMMERBOX_PID" 50 || fail "the program did not end after Exit"
[ "$E2E_EXIT_STATUS" -eq 0 ] || fail "the program ended with status $E2E_EXIT_STATUS"

echo "PASS in $(($(date +%s) - start)) s"

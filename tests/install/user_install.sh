#!/usr/bin/env bash
# scripts/install and scripts/uninstall in a temporary home folder whose name holds a
# space and a comma: what is installed, that it validates and points at itself, that
# the home folder is as it was after the uninstall, that the user's own animations
# and changed files survive it, that installing again replaces the earlier one, and
# that $XDG_DATA_HOME and $XDG_CONFIG_HOME are honoured.
#   user_install.sh <source-dir> <build-dir>
set -euo pipefail
source_dir=$1
build_dir=$2

work=$(mktemp -d /tmp/glimmerbox-install-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
export HOME="$work/home, with space"
unset XDG_DATA_HOME XDG_CONFIG_HOME
mkdir -p "$HOME/.config/Glimmerbox" "$HOME/.local/share/applications"
printf '[Startup]\nPrevious=3\n' >"$HOME/.config/Glimmerbox/Glimmerbox.conf"
printf '[Desktop Entry]\nType=Application\nName=Other\nExec=other\n' \
    >"$HOME/.local/share/applications/other.desktop"

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

# Every folder, file and link of the home folder with its type, mode and content.
listing() {
    (cd "$HOME" && find . -printf '%y %m %p -> %l\n' | sort)
    (cd "$HOME" && find . -type f -print0 | sort -z | xargs -0 sha256sum)
}

install_script() { "$source_dir/scripts/install" --build-dir "$build_dir" "$@" >"$work/out" 2>&1; }
uninstall_script() { "$source_dir/scripts/uninstall" "$@" >"$work/out" 2>&1; }

app_id=net.glimmerbox.Glimmerbox
program_dir=$HOME/.local/lib/glimmerbox
launcher=$HOME/.local/share/applications/$app_id.desktop
autostart=$HOME/.config/autostart/$app_id.desktop

listing >"$work/before"

# --- Install with the autostart entry.
install_script --autostart || { cat "$work/out" >&2; fail "scripts/install --autostart failed"; }
for file in "$program_dir/glimmerbox" "$program_dir/Readme.txt" "$program_dir/install-manifest.txt" \
    "$HOME/.local/bin/glimmerbox" "$launcher" "$autostart" \
    "$HOME/.local/share/metainfo/$app_id.metainfo.xml"; do
    [ -f "$file" ] || fail "missing after install: $file"
done
for size in 16 22 24 32 48 64 128 256; do
    [ -f "$HOME/.local/share/icons/hicolor/${size}x${size}/apps/$app_id.png" ] ||
        fail "missing the ${size}x${size} icon"
done
[ -x "$program_dir/glimmerbox" ] || fail "the program is not executable"
# The file types, in the user's type database made again, and the thumbnailer's entry
# naming the installed thumbnailer (quoted: the home folder's name holds a space).
grep -qx 'application/x-glimmerbox-animation' "$HOME/.local/share/mime/types" ||
    fail "the user's type database does not know the animations"
grep -qxF "Exec=\"$program_dir/glimmerbox-thumbnailer\" -s %s %i %o" \
    "$HOME/.local/share/thumbnailers/net.glimmerbox.Glimmerbox.thumbnailer" ||
    fail "the thumbnailer entry does not start $program_dir/glimmerbox-thumbnailer"
[ -x "$HOME/.local/bin/glimmerbox" ] || fail "the command is not executable"
cmp -s "$program_dir/Readme.txt" "$source_dir/Readme.txt" || fail "Readme.txt differs"

# The samples: the compiled files in the program's folder, the raw files naming their
# icons by the full installed path (in double quotes, as the name holds a comma).
compiled=("$program_dir"/*.gx)
[ ${#compiled[@]} -ge 2 ] || fail "fewer than two sample animations installed"
for gx in "$source_dir"/samples/*.gx; do
    cmp -s "$gx" "$program_dir/$(basename "$gx")" || fail "$(basename "$gx") differs"
done
raw_files=0
while IFS= read -r -d '' rgx; do
    raw_files=$((raw_files + 1))
    mapfile -t lines < <(tr -d '\r' <"$rgx")
    [ "$(tail -c 2 "$rgx" | od -An -c | tr -d ' ')" = '\r\n' ] || fail "$rgx does not end in CR LF"
    frames=${lines[4]}
    [ ${#lines[@]} -eq $((6 + frames)) ] || fail "$rgx has ${#lines[@]} lines for $frames frames"
    for ((i = 6; i < ${#lines[@]}; i++)); do
        line=${lines[$i]}
        [[ "$line" == \"*\" ]] || fail "$rgx: a path with a comma is not quoted: $line"
        path=${line#\"}
        path=${path%\"}
        [[ "$path" == "$program_dir/samples/"*.ico ]] || fail "$rgx names $path"
        [ "$(stat -c %s "$path" 2>/dev/null)" = 318 ] || fail "$rgx names a missing icon $path"
    done
done < <(find "$program_dir/samples" -name '*.rgx' -print0)
[ "$raw_files" -eq ${#compiled[@]} ] || fail "$raw_files raw files for ${#compiled[@]} compiled files"

# The launcher and the autostart entry start the installed program, quoted for the space;
# the launcher takes the files a file manager opens with it, of Glimmerbox's types.
for entry in "$launcher" "$autostart"; do
    files=$([ "$entry" = "$launcher" ] && echo " %F" || true)
    grep -qxF "Exec=\"$program_dir/glimmerbox\"$files" "$entry" ||
        fail "$entry: Exec is $(grep ^Exec= "$entry")"
    grep -qxF "Icon=$app_id" "$entry" || fail "$entry: no Icon=$app_id"
done
grep -qxF "MimeType=application/x-glimmerbox-animation;application/x-glimmerbox-project;" \
    "$launcher" || fail "the launcher does not list Glimmerbox's file types"
grep -qx 'NoDisplay=true' "$autostart" || fail "the autostart entry shows in menus"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$launcher" "$autostart" >"$work/validate" 2>&1 ||
        fail "desktop-file-validate: $(cat "$work/validate")"
    # Hints are fine; errors and warnings are not.
    if grep -E 'error|warning' "$work/validate"; then fail "desktop-file-validate complained"; fi
else
    echo "desktop-file-validate not installed: skipped"
fi
if command -v appstreamcli >/dev/null; then
    appstreamcli validate --no-net "$HOME"/.local/share/metainfo/*.metainfo.xml >"$work/validate" 2>&1 ||
        fail "appstreamcli validate: $(cat "$work/validate")"
else
    echo "appstreamcli not installed: skipped"
fi

# The command is the program itself: a picture named relative to where it is run is found.
mkdir "$work/pictures"
cp "$source_dir/tests/data/pictures/three-frames.gif" "$work/pictures/"
(cd "$work/pictures" && "$HOME/.local/bin/glimmerbox" --import three-frames.gif >/dev/null) ||
    fail "the command did not import a picture of the folder it ran in"
rm -rf "$work/pictures"

# The program's own --no-autostart removes the entry that the install wrote, and says so.
"$HOME/.local/bin/glimmerbox" --no-autostart >"$work/out" || fail "--no-autostart failed"
[ -e "$autostart" ] && fail "--no-autostart left $autostart"
grep -qF "removed $autostart" "$work/out" || fail "--no-autostart said: $(cat "$work/out")"

# --- Uninstall: the home folder is as it was.
uninstall_script || { cat "$work/out" >&2; fail "scripts/uninstall failed"; }
listing >"$work/after"
diff "$work/before" "$work/after" >&2 || fail "the home folder differs after install and uninstall"
uninstall_script && fail "a second uninstall reported success"

# --- Install twice (the second replaces the first), then the user makes an animation
# and compiles a sample again: the uninstall keeps both and says so.
install_script --autostart || { cat "$work/out" >&2; fail "install failed"; }
# Another program's file types beside ours stay, in a database made again without ours.
printf '<mime-info xmlns="http://www.freedesktop.org/standards/shared-mime-info"><mime-type type="text/x-other"/></mime-info>\n' \
    >"$HOME/.local/share/mime/packages/other.xml"
install_script || { cat "$work/out" >&2; fail "installing again failed"; }
[ -f "$autostart" ] && fail "installing again without --autostart kept the autostart entry"
printf 'GX2.0mine' >"$program_dir/Mine.gx"
printf 'changed' >>"$program_dir/Candle.gx"
install_script && fail "install overwrote a changed installed file"
grep -qF "$program_dir/Candle.gx" "$work/out" || fail "install did not name the file in the way"
uninstall_script || { cat "$work/out" >&2; fail "uninstall failed"; }
grep -qF "$program_dir/Candle.gx (changed since it was installed)" "$work/out" ||
    fail "uninstall did not report the changed file: $(cat "$work/out")"
[ -f "$program_dir/Mine.gx" ] || fail "uninstall removed the user's animation"
[ "$(cat "$program_dir/Candle.gx" | tail -c 7)" = changed ] || fail "uninstall removed a changed file"
grep -qx 'text/x-other' "$HOME/.local/share/mime/types" ||
    fail "uninstall lost another program's file type"
grep -q 'glimmerbox' "$HOME/.local/share/mime/types" && fail "uninstall left the file types known"
rm -r "$HOME/.local/share/mime"
rm "$program_dir/Mine.gx" "$program_dir/Candle.gx"
rmdir "$program_dir" "$HOME/.local/lib"
listing >"$work/after"
diff "$work/before" "$work/after" >&2 || fail "the uninstall left more than the user's files"

# --- A file of the same name that the install did not put there stops it unchanged.
mkdir -p "$HOME/.local/share/metainfo"
printf 'mine' >"$HOME/.local/share/metainfo/$app_id.metainfo.xml"
listing >"$work/before-conflict"
install_script && fail "install overwrote a file it did not install"
listing >"$work/after-conflict"
diff "$work/before-conflict" "$work/after-conflict" >&2 || fail "a refused install changed the home folder"

# --- $XDG_DATA_HOME and $XDG_CONFIG_HOME, when set, take the launcher, the icons, the
# metainfo and the autostart entry; the program's folder stays in ~/.local/lib.
listing >"$work/before-xdg"
export XDG_DATA_HOME="$HOME/data" XDG_CONFIG_HOME="$HOME/conf"
install_script --autostart || { cat "$work/out" >&2; fail "install with XDG folders failed"; }
[ -f "$XDG_DATA_HOME/applications/$app_id.desktop" ] || fail "no launcher in \$XDG_DATA_HOME"
[ -f "$XDG_DATA_HOME/icons/hicolor/16x16/apps/$app_id.png" ] || fail "no icon in \$XDG_DATA_HOME"
[ -f "$XDG_CONFIG_HOME/autostart/$app_id.desktop" ] || fail "no autostart entry in \$XDG_CONFIG_HOME"
[ -f "$program_dir/glimmerbox" ] || fail "the program is not in ~/.local/lib/glimmerbox"
uninstall_script || { cat "$work/out" >&2; fail "uninstall with XDG folders failed"; }
listing >"$work/after-xdg"
diff "$work/before-xdg" "$work/after-xdg" >&2 || fail "the XDG install left something behind"

if [ "$failures" -gt 0 ]; then
    echo "$failures failure(s)" >&2
    exit 1
fi
echo "PASS"

#!/usr/bin/env bash
# `cmake --install` for all users: the layout below the prefix, files that name the
# installed program's folder (also when staged with DESTDIR, as packagers do), the
# command that links to the program, the autostart component, and the validators on
# the installed launcher and metainfo.
#   cmake_install.sh <source-dir> <build-dir>
set -euo pipefail
source_dir=$1
build_dir=$2
app_id=net.glimmerbox.Glimmerbox

work=$(mktemp -d /tmp/glimmerbox-cmake-install.XXXXXX)
trap 'rm -rf "$work"' EXIT

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

install_into() { # <destdir or ""> <prefix> [component]
    local component=()
    [ -n "${3:-}" ] && component=(--component "$3")
    DESTDIR=$1 cmake --install "$build_dir" --prefix "$2" "${component[@]}" >"$work/out" 2>&1 ||
        { cat "$work/out" >&2; fail "cmake --install --prefix $2 ${3:-} failed"; }
}

# check_layout <root> <prefix>: the files below <root><prefix>, naming <prefix>.
check_layout() {
    local root=$1 prefix=$2
    local base=$root$prefix
    local folder=$prefix/lib/glimmerbox
    local expected=(
        "lib/glimmerbox/glimmerbox" "lib/glimmerbox/Readme.txt" "bin/glimmerbox"
        "share/applications/$app_id.desktop"
        "share/metainfo/$app_id.metainfo.xml"
        "share/mime/packages/$app_id.xml" "lib/glimmerbox/glimmerbox-thumbnailer"
        "share/thumbnailers/$app_id.thumbnailer"
    )
    for size in 16 22 24 32 48 64 128 256; do
        expected+=("share/icons/hicolor/${size}x${size}/apps/$app_id.png")
    done
    for gx in "$source_dir"/samples/*.gx; do
        expected+=("lib/glimmerbox/$(basename "$gx")")
    done
    for file in "${expected[@]}"; do
        [ -f "$base/$file" ] || fail "missing $base/$file"
    done
    [ -x "$base/lib/glimmerbox/glimmerbox" ] || fail "the program is not executable"
    [ "$(readlink "$base/bin/glimmerbox")" = ../lib/glimmerbox/glimmerbox ] ||
        fail "bin/glimmerbox is not a relative link to the program"
    [ -e "$base/etc" ] && fail "an autostart entry was installed without being asked for"

    local launcher=$base/share/applications/$app_id.desktop
    local exec="$folder/glimmerbox"
    [[ "$exec" == *" "* ]] && exec="\"$exec\""
    grep -qxF "Exec=$exec %F" "$launcher" || fail "launcher: $(grep ^Exec= "$launcher")"
    grep -qxF "Icon=$app_id" "$launcher" || fail "launcher: $(grep ^Icon= "$launcher")"
    local thumbnailer=$prefix/lib/glimmerbox/glimmerbox-thumbnailer
    [[ "$thumbnailer" == *" "* ]] && thumbnailer="\"$thumbnailer\""
    grep -qxF "Exec=$thumbnailer -s %s %i %o" "$base/share/thumbnailers/$app_id.thumbnailer" ||
        fail "the thumbnailer entry does not start $thumbnailer"

    while IFS= read -r -d '' rgx; do
        mapfile -t lines < <(tr -d '\r' <"$rgx")
        for ((i = 6; i < ${#lines[@]}; i++)); do
            [[ "${lines[$i]}" == "$folder/samples/"*.ico ]] || fail "$rgx names ${lines[$i]}"
            [ -f "$root${lines[$i]}" ] || fail "$rgx names a missing icon ${lines[$i]}"
        done
    done < <(find "$base/lib/glimmerbox/samples" -name '*.rgx' -print0)

    if command -v desktop-file-validate >/dev/null; then
        desktop-file-validate "$launcher" >"$work/validate" 2>&1 || fail "$(cat "$work/validate")"
        if grep -E 'error|warning' "$work/validate"; then fail "desktop-file-validate complained"; fi
    fi
    if command -v appstreamcli >/dev/null; then
        appstreamcli validate --no-net "$base"/share/metainfo/*.metainfo.xml >"$work/validate" 2>&1 ||
            fail "$(cat "$work/validate")"
    fi
}

# A packager's staged install for /usr.
install_into "$work/stage" /usr
check_layout "$work/stage" /usr
[ -e "$work/stage/etc" ] && fail "an autostart entry was installed without being asked for"

# A direct install into a prefix of its own, with a space in its name.
prefix="$work/opt/glimmer box"
install_into "" "$prefix"
check_layout "" "$prefix"
"$prefix/bin/glimmerbox" --version >/dev/null || fail "the command does not run the program"

# The autostart component, on request only: /etc/xdg for /usr and /usr/local, else
# below the prefix.
install_into "$work/auto" /usr autostart
entry=$work/auto/etc/xdg/autostart/$app_id.desktop
[ -f "$entry" ] || fail "no autostart entry in /etc/xdg/autostart for /usr"
grep -qxF "Exec=/usr/lib/glimmerbox/glimmerbox" "$entry" || fail "autostart: $(grep ^Exec= "$entry")"
[ -e "$work/auto/usr" ] && fail "the autostart component installed more than its entry"
install_into "$work/auto2" /opt/glimmerbox autostart
[ -f "$work/auto2/opt/glimmerbox/etc/xdg/autostart/$app_id.desktop" ] ||
    fail "no autostart entry below the prefix /opt/glimmerbox"
if command -v desktop-file-validate >/dev/null; then
    desktop-file-validate "$entry" >"$work/validate" 2>&1 || fail "$(cat "$work/validate")"
fi

if [ "$failures" -gt 0 ]; then
    echo "$failures failure(s)" >&2
    exit 1
fi
echo "PASS"

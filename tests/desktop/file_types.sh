#!/usr/bin/env bash
# The file types from the installed shared-mime-info package, in temporary data folders
# (update-mime-database), as GLib (gio: GNOME, Xfce, LXDE) and Qt (KDE, LXQt) tell them:
# the samples are Glimmerbox animations and projects, a G-code *.gx stays G-code and a
# text file named *.gx is not an animation; each type has its icon at every size.
# Two databases: one made from the system's packages and ours together, as a package
# installs it, and ours alone in the user's data folder beside the system's, as
# scripts/install does (GLib only: Qt takes *.gx from the first folder that knows it).
#   file_types.sh <source-dir> <build-dir> <mime_type_of>
set -euo pipefail
SOURCE_DIR=$1
BUILD_DIR=$2
qt_type=$3
here=$(cd "$(dirname "$0")" && pwd)
source "$here/lib.sh"

root=$DESKTOP_TMP/root
stage "$root" /usr
package=$root/usr/share/mime/packages/net.glimmerbox.Glimmerbox.xml
[ -f "$package" ] || fail "no mime/packages/<id>.xml installed"

# As a package: one database of the system's types and ours.
system=$DESKTOP_TMP/system
mkdir -p "$system/mime/packages" "$DESKTOP_TMP/empty"
cp /usr/share/mime/packages/*.xml "$package" "$system/mime/packages/"
update-mime-database "$system/mime"
# Per user: ours alone in the user's folder, the system's database as it is.
user=$DESKTOP_TMP/user
mkdir -p "$user/mime/packages"
cp "$package" "$user/mime/packages/"
update-mime-database "$user/mime"

files=$DESKTOP_TMP/files
make_files "$files"

gio_type() { # <data home> <data dirs> <file>
    XDG_DATA_HOME=$1 XDG_DATA_DIRS=$2 gio info -a standard::content-type "$3" |
        sed -n 's/^ *standard::content-type: //p'
}

# expect <type> <file> [not]: the type each reader gives (or, with "not", does not give).
expect() {
    local want=$1 file=$files/$2 got reader
    for reader in package-gio package-qt user-gio; do
        case $reader in
        package-gio) got=$(gio_type "$DESKTOP_TMP/empty" "$system" "$file") ;;
        package-qt) got=$(XDG_DATA_HOME=$DESKTOP_TMP/empty XDG_DATA_DIRS=$system "$qt_type" "$file" | sed 's/^[^:]*: //') ;;
        user-gio) got=$(gio_type "$user" /usr/share "$file") ;;
        esac
        if [ "${3:-}" = not ]; then
            [ "$got" != "$want" ] || fail "$reader: $2 is $got"
        else
            [ "$got" = "$want" ] || fail "$reader: $2 is $got, not $want"
        fi
    done
}

animation=application/x-glimmerbox-animation
for sample in Candle Heartbeat Snowfall; do
    expect "$animation" "$sample.gx"
    expect application/x-glimmerbox-project "$sample.rgx"
done
expect text/x-gcode-gx printer.gx
expect "$animation" notes.gx not
# The content decides, so an animation keeps its type under another name too; it takes
# the tag and the first frame's icon header both.
cp "$files/Candle.gx" "$files/candle-copy"
cp "$files/hostile-no-pictures.gx" "$files/tag-only-copy"
[ "$(gio_type "$DESKTOP_TMP/empty" "$system" "$files/candle-copy")" = "$animation" ] ||
    fail "an animation without its .gx name is not recognised"
[ "$(gio_type "$DESKTOP_TMP/empty" "$system" "$files/tag-only-copy")" != "$animation" ] ||
    fail "the tag alone makes an animation"

# Projects are text that any editor opens.
grep -q 'application/x-glimmerbox-project text/plain' "$system/mime/subclasses" ||
    fail "a project is not a kind of text/plain"

# The icons, under the names the database gives the types.
for type in animation project; do
    icon=application-x-glimmerbox-$type
    XDG_DATA_HOME=$DESKTOP_TMP/empty XDG_DATA_DIRS=$system \
        gio info -a standard::icon "$files/Candle.$([ $type = animation ] && echo gx || echo rgx)" |
        grep -q "$icon" || fail "the type does not name the icon $icon"
    for size in 16 22 24 32 48 64 128 256; do
        picture=$root/usr/share/icons/hicolor/${size}x${size}/mimetypes/$icon.png
        [ "$(identify -format '%wx%h' "$picture" 2>/dev/null)" = "${size}x${size}" ] ||
            fail "no ${size}x${size} icon $icon"
    done
done

desktop_finish

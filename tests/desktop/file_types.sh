#!/usr/bin/env bash
# The file types from the installed shared-mime-info package, in a database made from
# the system's packages and ours together (as the package's trigger makes it), as GLib
# (gio: GNOME, Xfce, ...) tells them: the samples are animations and projects, by name
# and by content alone; a G-code *.gx stays G-code, a text file named *.gx is not an
# animation, nor is a file with the tag but no icon after it.
#   file_types.sh <source-dir> <build-dir>
set -euo pipefail
SOURCE_DIR=$1 BUILD_DIR=$2
source "$(dirname "$0")/lib.sh"

stage "$E2E_TMP/root" /usr
data=$E2E_TMP/data
mkdir -p "$data/mime/packages" "$E2E_TMP/empty"
cp /usr/share/mime/packages/*.xml "$E2E_TMP"/root/usr/share/mime/packages/*.xml "$data/mime/packages/"
update-mime-database "$data/mime"
files=$E2E_TMP/files
make_files "$files"
cp "$files/Candle.gx" "$files/candle-unnamed"
cp "$files/hostile-no-pictures.gx" "$files/tag-unnamed"

export XDG_DATA_HOME=$E2E_TMP/empty XDG_DATA_DIRS=$data
type_of() { gio info -a standard::content-type "$files/$1" | sed -n 's/^ *standard::content-type: //p'; }
is() { [ "$(type_of "$2")" = "$1" ] || fail "$2 is $(type_of "$2"), not $1"; }
isnt() { [ "$(type_of "$2")" != "$1" ] || fail "$2 is $1"; }

animation=application/x-glimmerbox-animation
for sample in Candle Heartbeat Snowfall; do
    is "$animation" "$sample.gx"
    is application/x-glimmerbox-project "$sample.rgx"
done
is "$animation" candle-unnamed
isnt "$animation" tag-unnamed
is text/x-gcode-gx printer.gx
isnt "$animation" notes.gx
# A project is text any editor opens; each type names its own icon.
grep -qx 'application/x-glimmerbox-project text/plain' "$data/mime/subclasses" || fail "a project is no text"
gio info -a standard::icon "$files/Candle.gx" | grep -q application-x-glimmerbox-animation ||
    fail "an animation does not name its icon"
echo PASS

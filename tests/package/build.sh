#!/usr/bin/env bash
# The Debian package as scripts/package makes it (which fails on any lintian error or
# warning): the launcher and the metainfo validate in the installed tree, and the
# package holds exactly the files, modes and links of contents.txt beside this script.
#   build.sh <source-dir> <output-dir>
set -euo pipefail
source_dir=$1
output=$2

"$source_dir/scripts/package" --output "$output"
deb=$(echo "$output"/glimmerbox_*.deb)
work=$(mktemp -d /tmp/glimmerbox-package-test.XXXXXX)
trap 'rm -rf "$work"' EXIT
dpkg-deb -x "$deb" "$work/root"

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

desktop-file-validate "$work/root/usr/share/applications/net.glimmerbox.Glimmerbox.desktop" \
    >"$work/validate" 2>&1 || fail "desktop-file-validate: $(cat "$work/validate")"
# The metainfo with what it names: the launcher, the icon, the command.
appstreamcli validate-tree --no-net "$work/root" >"$work/validate" 2>&1 ||
    fail "appstreamcli validate-tree: $(cat "$work/validate")"

# Mode, path and link target of every entry; sizes and times are left out.
dpkg-deb -c "$deb" | awk '{ $2 = $3 = $4 = $5 = ""; gsub(/ +/, " "); print }' >"$work/contents"
diff -u "$(dirname "$0")/contents.txt" "$work/contents" >&2 ||
    fail "the package's files differ from contents.txt (+ in the package, - expected)"

if [ "$failures" -gt 0 ]; then
    echo "$failures failure(s)" >&2
    exit 1
fi
echo "PASS"

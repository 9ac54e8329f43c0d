#!/usr/bin/env bash
# KELMO installs as a desktop program: `cmake --install` into a scratch root lays the program
# beside its help engine and help file with a link to it in bin, a menu entry and a software
# centre description that the desktop's own validators accept, and the icon at every size.
# Usage: check_install.sh <build dir> <app id> <program folder> [file expected beside it...]
set -euo pipefail
build="$1"
app_id="$2"
pkgdir="$3"
shift 3

for tool in desktop-file-validate appstreamcli; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

root="$(mktemp -d)"
trap 'rm -rf "$root"' EXIT
DESTDIR="$root" cmake --install "$build" --prefix /usr >/dev/null
usr="$root/usr"
failures=0
fail() {
    echo "FAIL: $*"
    failures=$((failures + 1))
}

# The program takes its folder from the link's target, so everything it looks for beside
# itself must be beside the target.
if [ ! -L "$usr/bin/kelmo" ]; then
    fail "usr/bin/kelmo is not a link"
elif [ "$(readlink -f "$usr/bin/kelmo")" != "$usr/$pkgdir/KELMO" ]; then
    fail "usr/bin/kelmo leads to $(readlink "$usr/bin/kelmo")"
fi
[ -x "$usr/$pkgdir/KELMO" ] || fail "usr/$pkgdir/KELMO is not an executable"
for name in "$@"; do
    [ -f "$usr/$pkgdir/$name" ] || fail "$name is not beside the program"
done

desktop="$usr/share/applications/$app_id.desktop"
metainfo="$usr/share/metainfo/$app_id.metainfo.xml"
if ! desktop-file-validate "$desktop"; then
    fail "desktop-file-validate rejects $app_id.desktop"
fi
if ! appstreamcli validate --no-net --pedantic "$metainfo"; then
    fail "appstreamcli rejects $app_id.metainfo.xml"
fi
grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
    fail "the metainfo does not launch $app_id.desktop"

exec_name="$(sed -n 's/^Exec=\([^ ]*\).*/\1/p' "$desktop")"
[ -e "$usr/bin/$exec_name" ] || fail "Exec=$exec_name is not in usr/bin"
icon_name="$(sed -n 's/^Icon=//p' "$desktop")"
[ "$icon_name" = "$app_id" ] || fail "Icon=$icon_name is not the application's id"
for size in 16 22 24 32 48 64 128 256; do
    png="$usr/share/icons/hicolor/${size}x${size}/apps/$icon_name.png"
    if [ ! -f "$png" ]; then
        fail "no ${size}x${size} icon"
        continue
    fi
    # Width and height are the two big-endian words after the PNG signature and chunk header.
    read -r w1 w2 w3 w4 h1 h2 h3 h4 < <(od -An -tu1 -j16 -N8 "$png")
    width=$(((w1 << 24) | (w2 << 16) | (w3 << 8) | w4))
    height=$(((h1 << 24) | (h2 << 16) | (h3 << 8) | h4))
    [ "$width x $height" = "$size x $size" ] || fail "the ${size}x${size} icon is $width x $height"
done
[ -f "$usr/share/icons/hicolor/scalable/apps/$icon_name.svg" ] || fail "no scalable icon"
for page in man/man1/kelmo.1.gz man/fr/man1/kelmo.1.gz; do
    gzip -t "$usr/share/$page" || fail "no manual page $page"
done

# The installed program starts, started through its link: it is still running after two
# seconds, with no missing library or resource to stop it.
set +e
QT_QPA_PLATFORM=offscreen timeout 2 "$usr/bin/kelmo"
status=$?
set -e
[ "$status" -eq 124 ] || fail "the installed program ended at once with status $status"

if [ "$failures" -ne 0 ]; then
    exit 1
fi
echo "PASS: install tree, desktop entry, metainfo and icons"

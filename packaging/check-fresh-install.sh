#!/usr/bin/env bash
# Installs KELMO's Debian package on a fresh, minimal Debian 12 root, as `apt-get install ./…deb`
# would on a new machine, checks that the installed program starts on an X screen and opens its
# help, then removes it with `apt-get remove` and `autoremove --purge` and checks that nothing of
# it is left. Needs root, debootstrap and the network to Debian's archive; takes a few minutes.
# Usage: packaging/check-fresh-install.sh <kelmo .deb> [screenshot folder]
set -euo pipefail
deb="$(realpath "$1")"
shots="$(realpath -m "${2:-fresh-install-screenshots}")"
here="$(cd "$(dirname "${BASH_SOURCE[0]}")" && pwd)"
mkdir -p "$shots"

for tool in debootstrap Xvfb openbox xdotool import; do
    command -v "$tool" >/dev/null || { echo "SKIP: $tool is not installed"; exit 77; }
done

work="$(mktemp -d)"
target="$work/root"
cleanup() {
    umount "$target/tmp/.X11-unix" 2>/dev/null || true
    umount "$target/proc" 2>/dev/null || true
    rm -rf "$work"
}
trap cleanup EXIT

echo "== debootstrap bookworm (minbase)"
debootstrap --variant=minbase bookworm "$target" http://deb.debian.org/debian >"$work/debootstrap.log"
mount -t proc proc "$target/proc"
cp /etc/resolv.conf "$target/etc/resolv.conf"
in_root() { chroot "$target" env DEBIAN_FRONTEND=noninteractive LC_ALL=C.UTF-8 "$@"; }
snapshot() { in_root find / -xdev \( -path /proc -o -path /tmp -o -path /var -o -path /run \) -prune -o -print | sort; }
snapshot >"$work/before.txt"

echo "== apt-get install ./$(basename "$deb")"
cp "$deb" "$target/tmp/"
in_root apt-get update -qq
in_root apt-get install -y -qq "/tmp/$(basename "$deb")" >"$work/install.log"
grep -c '^Setting up' "$work/install.log" | sed 's/^/packages set up: /'

echo "== the installed program, on a virtual screen shared with the root"
source "$here/../tests/e2e/xsession.sh"
mkdir -p "$target/tmp/.X11-unix"
mount --bind /tmp/.X11-unix "$target/tmp/.X11-unix"
failures=0
chroot "$target" env DISPLAY="$DISPLAY" LC_ALL=C.UTF-8 kelmo &
pid=$!
main="$(timeout 30 xdotool search --sync --onlyvisible --name '^KELMO 1\.0$' | head -n 1 || true)"
if [ -z "$main" ]; then
    echo "FAIL: the installed program shows no window"
    failures=$((failures + 1))
else
    xdotool windowactivate --sync "$main"
    sleep 0.5
    import -window "$main" "$shots/installed-main.png"
    xdotool key --clearmodifiers alt+a
    sleep 0.3
    xdotool key r
    help=""
    for _ in $(seq 50); do
        # chroot and env exec the program, so it keeps the process id; menus have no title.
        help="$(xdotool search --all --onlyvisible --pid "$pid" --name . 2>/dev/null |
            grep -vx "$main" | head -n 1 || true)"
        [ -n "$help" ] && break
        sleep 0.1
    done
    if [ -n "$help" ]; then
        sleep 1
        import -window "$help" "$shots/installed-help.png"
        echo "help window: $(xdotool getwindowname "$help")"
    else
        echo "FAIL: the installed program opened no help window"
        failures=$((failures + 1))
    fi
    xdotool windowactivate --sync "$main"
    xdotool key --clearmodifiers alt+f
    sleep 0.3
    xdotool key q
fi
wait "$pid" || { echo "FAIL: the installed program ended with status $?"; failures=$((failures + 1)); }
umount "$target/tmp/.X11-unix"

echo "== apt-get remove kelmo, autoremove --purge"
in_root apt-get remove -y -qq kelmo >"$work/remove.log"
in_root apt-get autoremove --purge -y -qq >>"$work/remove.log"
rm -f "$target/tmp/$(basename "$deb")"
snapshot >"$work/after.txt"
left="$(LC_ALL=C.UTF-8 comm -13 "$work/before.txt" "$work/after.txt" | grep -i kelmo || true)"
if [ -n "$left" ]; then
    echo "FAIL: left after removal:"
    echo "$left"
    failures=$((failures + 1))
fi
# dpkg keeps a record of removed packages; only its state tells whether anything stays.
status="$(in_root dpkg-query -W -f='${Status}' kelmo 2>/dev/null || true)"
case "$status" in
"" | *" not-installed") ;;
*)
    echo "FAIL: after removal, dpkg says kelmo is: $status"
    failures=$((failures + 1))
    ;;
esac

[ "$failures" -eq 0 ] || exit 1
echo "PASS: installed, started, opened its help and removed cleanly on a fresh Debian 12"

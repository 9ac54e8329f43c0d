#!/usr/bin/env bash
# The Debian package: built by CPack from the same install, it depends on the packages that
# the binaries link to, found by dpkg-shlibdeps, and on the font the forms are laid out for.
# Usage: check_deb.sh <build dir> [file expected beside the program...]
set -euo pipefail
build="$1"
shift
for tool in cpack dpkg-deb dpkg-shlibdeps; do
    if ! command -v "$tool" >/dev/null; then
        echo "SKIP: $tool is not installed"
        exit 77
    fi
done

out="$(mktemp -d)"
trap 'rm -rf "$out"' EXIT
cpack -G DEB --config "$build/CPackConfig.cmake" -B "$out" >"$out/cpack.log" 2>&1 ||
    { cat "$out/cpack.log"; echo "FAIL: cpack"; exit 1; }
deb="$(ls "$out"/kelmo_*.deb)"
depends="$(dpkg-deb -f "$deb" Depends)"
echo "Depends: $depends"
failures=0
for package in fonts-liberation2 libc6 libqt6core6 libqt6gui6 libqt6widgets6; do
    # A name in the list, with or without a version.
    if ! grep -Eq "(^|, )$package( \(|,|$)" <<<"$depends"; then
        echo "FAIL: the package does not depend on $package"
        failures=$((failures + 1))
    fi
done
contents="$(dpkg-deb -c "$deb")"
for path in "./usr/bin/kelmo -> ../lib/kelmo/KELMO" ./usr/lib/kelmo/KELMO \
    ./usr/share/applications/fr.kelmo.kelmo.desktop ./usr/share/doc/kelmo/changelog.gz \
    "${@/#/./usr/lib/kelmo/}"; do
    if ! grep -Fq "$path" <<<"$contents"; then
        echo "FAIL: the package lacks $path"
        failures=$((failures + 1))
    fi
done
[ "$failures" -eq 0 ] || exit 1
echo "PASS: $(basename "$deb")"

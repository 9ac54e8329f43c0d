#!/usr/bin/env bash
# The Debian package: built by CPack from the same install, it depends on the packages that
# the binaries link to, found by dpkg-shlibdeps, and on the font the forms are laid out for.
# Usage: check_deb.sh <build dir> <program folder> [file expected beside it...]
set -euo pipefail
build="$1"
pkgdir="$2"
shift 2
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
link="$(realpath -m --relative-to=/usr/bin "/usr/$pkgdir/KELMO")"
for path in "./usr/bin/kelmo -> $link" "./usr/$pkgdir/KELMO" \
    ./usr/share/applications/fr.kelmo.kelmo.desktop ./usr/share/doc/kelmo/changelog.gz \
    "${@/#/./usr/$pkgdir/}"; do
    if ! grep -Fq "$path" <<<"$contents"; then
        echo "FAIL: the package lacks $path"
        failures=$((failures + 1))
    fi
done
# A private module loaded by its full path needs no ldconfig, and a maintainer script would keep
# the package listed by dpkg after its removal.
if dpkg-deb --ctrl-tarfile "$deb" | tar -t | grep -Eq '(postinst|postrm|preinst|prerm)$'; then
    echo "FAIL: the package has maintainer scripts"
    failures=$((failures + 1))
fi
[ "$failures" -eq 0 ] || exit 1
echo "PASS: $(basename "$deb")"

#!/usr/bin/env bash
# Installs what is missing, builds KELMO for release and makes its Debian package, which it
# leaves in build-package/package/. Install it with: apt-get install ./build-package/package/kelmo_*.deb
set -euo pipefail
root="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
source "$root/scripts/deps.sh"
kelmo_install "${kelmo_packages_build[@]}" "${kelmo_packages_package[@]}"

dir="$root/build-package"
cmake -S "$root" -B "$dir" -G Ninja -DBUILD_TESTING=OFF -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$dir"
rm -f "$dir"/package/kelmo_*.deb
(cd "$dir" && cpack -G DEB)
ls "$dir"/package/kelmo_*.deb

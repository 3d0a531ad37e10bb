#!/usr/bin/env bash
# Builds the Debian packages, checks their names, contents and dependencies, installs them with
# dpkg into a scratch root, runs the tool from there, and removes them again without a trace.
# Arguments: build folder, cpack.
set -euo pipefail
build=$1 cpack=$2
work=$build/deb-test
rm -rf "$work" "$build/packages"
root=$work/root
mkdir -p "$root"/var/lib/dpkg/{info,updates,triggers}
touch "$root/var/lib/dpkg/status"
dpkg_root() { dpkg --root="$root" --force-depends --force-script-chrootless --log=/dev/null "$@"; }
fail() { echo "FAILED: $*" >&2; exit 1; }

(cd "$build" && "$cpack" -G DEB >"$work/cpack.log" 2>&1) || fail "cpack: $(cat "$work/cpack.log")"
shopt -s nullglob
packages=()
for name in tavrin libtavrin0 libtavrin-dev; do
    debs=("$build"/packages/${name}_*.deb)
    [ ${#debs[@]} -eq 1 ] || fail "no package $name in $(ls "$build/packages")"
    packages+=("${debs[0]}")
    dpkg-deb -f "${debs[0]}" Package Depends >"$work/$name.control"
done
for name in tavrin libtavrin0; do
    dbgsym=("$build"/packages/${name}-dbgsym_*)
    [ ${#dbgsym[@]} -eq 1 ] || fail "no debug symbol package for $name"
done
dpkg_root -i "${packages[@]}" >"$work/dpkg.log" 2>&1 || fail "dpkg -i: $(cat "$work/dpkg.log")"
grep -q "libtavrin0 (= " "$work/tavrin.control" || fail "tavrin does not depend on libtavrin0"
grep -q "libc6" "$work/libtavrin0.control" || fail "libtavrin0 has no library dependencies"
[ -e "$root/usr/lib/libtavrin.so.0" ] || [ -n "$(ls "$root"/usr/lib/*/libtavrin.so.0 2>/dev/null)" ] ||
    fail "libtavrin.so.0 not in the packages"
if readelf -S "$root/usr/bin/tavrin" "$root"/usr/lib/libtavrin.so.0 | grep -q '\.debug_info'; then
    fail "packaged binaries carry debug info"
fi

env -i HOME="$work" TAVRIN_CONFIG="$work/settings.toml" LC_ALL=C "$root/usr/bin/tavrin" formats \
    >"$work/formats.txt" 2>&1 || fail "tavrin formats from the scratch root: $(cat "$work/formats.txt")"
grep -q GEODI "$work/formats.txt" || fail "formats without GEODI"
dpkg_root -P libtavrin-dev tavrin libtavrin0 >>"$work/dpkg.log" 2>&1 || fail "dpkg -P: $(cat "$work/dpkg.log")"
left=$(cd "$root" && find . -mindepth 1 -not -path './var*')
[ -z "$left" ] || fail "left behind after removal: $left"
echo "packages built, installed, run and removed: $(cd "$build/packages" && ls *.deb *.ddeb 2>/dev/null | tr '\n' ' ')"

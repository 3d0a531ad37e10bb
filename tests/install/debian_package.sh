#!/usr/bin/env bash
# Builds the Debian packages, checks their names, contents and dependencies, unpacks them into a
# scratch root and runs the tool from there.
# Arguments: build folder, cpack.
set -euo pipefail
build=$1 cpack=$2
work=$build/deb-test
rm -rf "$work" "$build/packages"
mkdir -p "$work/root"
fail() { echo "FAILED: $*" >&2; exit 1; }

(cd "$build" && "$cpack" -G DEB >"$work/cpack.log" 2>&1) || fail "cpack: $(cat "$work/cpack.log")"
shopt -s nullglob
for name in tavrin libtavrin0 libtavrin-dev; do
    debs=("$build"/packages/${name}_*.deb)
    [ ${#debs[@]} -eq 1 ] || fail "no package $name in $(ls "$build/packages")"
    dpkg-deb -x "${debs[0]}" "$work/root"
    dpkg-deb -f "${debs[0]}" Package Depends >"$work/$name.control"
done
dbgsym=("$build"/packages/*dbgsym*)
[ ${#dbgsym[@]} -ge 1 ] || fail "no debug symbol package"
grep -q "libtavrin0 (= " "$work/tavrin.control" || fail "tavrin does not depend on libtavrin0"
grep -q "libc6" "$work/libtavrin0.control" || fail "libtavrin0 has no library dependencies"
[ -e "$work/root/usr/lib/libtavrin.so.0" ] || [ -n "$(ls "$work"/root/usr/lib/*/libtavrin.so.0 2>/dev/null)" ] ||
    fail "libtavrin.so.0 not in the packages"
if readelf -S "$work/root/usr/bin/tavrin" | grep -q '\.debug_info'; then
    fail "packaged tool carries debug info"
fi

env -i HOME="$work" TAVRIN_CONFIG="$work/settings.toml" LC_ALL=C "$work/root/usr/bin/tavrin" formats \
    >"$work/formats.txt" 2>&1 || fail "tavrin formats from the scratch root: $(cat "$work/formats.txt")"
grep -q GEODI "$work/formats.txt" || fail "formats without GEODI"
echo "packages built, unpacked and run: $(cd "$build/packages" && ls *.deb *.ddeb 2>/dev/null | tr '\n' ' ')"

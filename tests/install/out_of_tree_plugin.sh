#!/usr/bin/env bash
# Installs the build into a prefix of its own, runs the installed tool with nothing else on the
# path, builds the example plug-in out of tree against the installed package (CMake and
# pkg-config) and imports through the plug-in it built.
# Arguments: build folder, source folder, cmake, C++ compiler.
set -euo pipefail
build=$1 src=$2 cmake=$3 cxx=$4
work=$build/install-test
rm -rf "$work"
mkdir -p "$work"
prefix=$work/prefix
fail() { echo "FAILED: $*" >&2; exit 1; }

"$cmake" --install "$build" --prefix "$prefix" >"$work/install.log" || fail "install: $(cat "$work/install.log")"
for f in bin/tavrin lib/libtavrin.so.0 include/tavrin/import_plugin.h lib/cmake/Tavrin/TavrinConfig.cmake \
         lib/pkgconfig/tavrin.pc lib/tavrin/plugins/csv_points.so lib/tavrin/libtavrin-outputs.so share/bash-completion/completions/tavrin \
         share/zsh/vendor-completions/_tavrin; do
    [ -e "$prefix/$f" ] || fail "not installed: $f"
done
if command -v scdoc >/dev/null; then
    [ -e "$prefix/share/man/man1/tavrin-import.1" ] || fail "not installed: man page tavrin-import.1"
fi
# No debug info in what is installed.
if readelf -S "$prefix/bin/tavrin" "$prefix/lib/libtavrin.so.0" | grep -q '\.debug_info'; then
    fail "installed binaries carry debug info"
fi

# The installed tool alone: an empty environment, the library found beside it.
env -i HOME="$work" TAVRIN_CONFIG="$work/settings.toml" "$prefix/bin/tavrin" --version >"$work/version.txt" ||
    fail "installed tavrin --version"
grep -q "^tavrin [0-9]" "$work/version.txt" || fail "version line: $(cat "$work/version.txt")"

# Completion offers what the installed tool knows: format keys, export names, setting names.
complete_words() {  # the words typed so far; prints the candidates for the last one
    env -i HOME="$work" TAVRIN_CONFIG="$work/settings.toml" PATH="$PATH" bash -c '
        complete() { :; }; compopt() { :; }
        source "$1"; shift
        COMP_WORDS=("$@"); COMP_CWORD=$(($# - 1)); _tavrin; echo "${COMPREPLY[*]}"' \
        _ "$prefix/share/bash-completion/completions/tavrin" "$prefix/bin/tavrin" "$@"
}
[ "$(complete_words import -f GEO)" = "GEODI GEODP" ] || fail "completion of format keys: $(complete_words import -f GEO)"
[ "$(complete_words export -f leica)" = "leica-8 leica-16" ] || fail "completion of export names"
[ "$(complete_words options -f LEICA --set Hi)" = "HiW41= Hi412=" ] ||
    fail "completion of setting names: $(complete_words options -f LEICA --set Hi)"
[ "$(complete_words rec)" = "receive" ] || fail "completion of commands"

# The example plug-in built out of tree, once with the CMake package, once with pkg-config.
plugin_build=$work/csv_points
"$cmake" -S "$src/plugins/csv_points" -B "$plugin_build" -G Ninja -DCMAKE_BUILD_TYPE=Release \
    -DCMAKE_CXX_COMPILER="$cxx" -DCMAKE_PREFIX_PATH="$prefix" >"$work/plugin.log" 2>&1 ||
    fail "configure the plug-in: $(cat "$work/plugin.log")"
"$cmake" --build "$plugin_build" >>"$work/plugin.log" 2>&1 || fail "build the plug-in: $(cat "$work/plugin.log")"
cflags=$(PKG_CONFIG_PATH="$prefix/lib/pkgconfig" pkg-config --cflags tavrin) || fail "pkg-config tavrin"
"$cxx" -std=c++20 -shared -fPIC -fvisibility=hidden $cflags "$src"/plugins/csv_points/*.cpp \
    -o "$work/csv_points_pc.so" || fail "build the plug-in with pkg-config"

# Import through the plug-in that was just built: it is the first plug-in, format 16.
mkdir -p "$work/plugins"
cp "$plugin_build/csv_points.so" "$work/plugins/"
printf '["Company\\\\Paths"]\nOrvelDatPlugins = "%s"\n' "$work/plugins" >"$work/settings.toml"
printf 'P1,100.5,200.25,10\nP2,101,201,11\n' >"$work/points.csv"
env -i HOME="$work" TAVRIN_CONFIG="$work/settings.toml" LC_ALL=C \
    "$prefix/bin/tavrin" import -f 16 "$work/points.csv" -o "$work/project.json" --yes \
    >"$work/import.txt" 2>&1 || fail "import through the plug-in: $(cat "$work/import.txt")"
grep -q '"P2"' "$work/project.json" || fail "point P2 not in the project"
# The installed tool finds its outputs module in lib/tavrin.
env -i HOME="$work" TAVRIN_CONFIG="$work/settings.toml" LC_ALL=C \
    "$prefix/bin/tavrin" convert "$work/project.json" "$work/project.geojson" >"$work/convert.txt" 2>&1 ||
    fail "convert with the installed module: $(cat "$work/convert.txt")"
grep -q '"P2"' "$work/project.geojson" || fail "point P2 not in the GeoJSON"
echo "installed, ran and imported through the out-of-tree plug-in"

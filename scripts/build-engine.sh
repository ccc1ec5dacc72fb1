#!/usr/bin/env bash
# Builds whisper-server (CPU, this machine's instructions, static libraries, no SDL or curl)
# beside the voxmere executable, where the engine search looks first.
#
#   scripts/build-engine.sh [WHISPER_CPP_SOURCE]
#
# Without an argument the source is whisper.cpp 1.9.1 as carried inside the npm package
# nodejs-whisper 0.3.1 (its cpp/whisper.cpp folder, examples/server included), fetched once into
# ${XDG_CACHE_HOME:-~/.cache}/voxmere and checked against its pinned checksum; only that tree is
# used, never the package's own code. With an argument, any whisper.cpp checkout is built instead.
#
# Environment: BUILD (the Voxmere build tree, default "build"), ENGINE_CMAKE_FLAGS (extra flags
# for whisper.cpp's CMake, for example "-DGGML_VULKAN=ON" or "-DGGML_CUDA=ON"), JOBS.
# A stamp of the source and flags makes a second run return at once.
set -euo pipefail

package=nodejs-whisper
version=0.3.1
sha256=92041caf2b26c74b7f489fedf37bd093f216eebd61df512045ec2d19d0531d37

here=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${BUILD:-$here/build}")
out="$build/src/app/whisper-server"
work="$build/whisper.cpp"
flags="${ENGINE_CMAKE_FLAGS:-}"
jobs="${JOBS:-$(nproc)}"
. "$here/scripts/npm-pinned.sh"

fetch_source() {
    local tree="$voxmere_cache/$package-$version" tarball
    if [ ! -f "$tree/.unpacked" ]; then
        tarball=$(npm_pinned_tarball build-engine "$package" "$version" "$sha256") || exit 1
        rm -rf "$tree"
        mkdir -p "$tree"
        tar -xzf "$tarball" -C "$tree" package/cpp/whisper.cpp
        touch "$tree/.unpacked"
    fi
    echo "$tree/package/cpp/whisper.cpp"
}

if [ $# -ge 1 ]; then
    source=$(realpath "$1")
else
    source=$(fetch_source)
fi
[ -f "$source/examples/server/CMakeLists.txt" ] || {
    echo "build-engine: $source holds no whisper.cpp server example" >&2
    exit 1
}

stamp="$work/voxmere.stamp"
want="source=$source sha256=$sha256 flags=$flags script=$(sha256sum <"$0" | cut -c1-16)"
if [ -x "$out" ] && [ -f "$stamp" ] && [ "$(cat "$stamp")" = "$want" ]; then
    exit 0
fi

launcher=()
command -v ccache >/dev/null && launcher=(-DCMAKE_C_COMPILER_LAUNCHER=ccache -DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
mkdir -p "$work"
log="$work/build-engine.log"
echo "build-engine: building whisper-server from $source (log: $log)"
# shellcheck disable=SC2086
if ! { cmake -S "$source" -B "$work" -G Ninja -DCMAKE_BUILD_TYPE=Release \
        -DBUILD_SHARED_LIBS=OFF -DGGML_NATIVE=ON -DGGML_CCACHE=OFF "${launcher[@]}" \
        -DWHISPER_SDL2=OFF -DWHISPER_CURL=OFF \
        -DWHISPER_BUILD_TESTS=OFF -DWHISPER_BUILD_EXAMPLES=ON -DWHISPER_BUILD_SERVER=ON $flags &&
    cmake --build "$work" --target whisper-server -j "$jobs"; } >"$log" 2>&1; then
    tail -n 30 "$log" >&2
    exit 1
fi
mkdir -p "$(dirname "$out")"
cp "$work/bin/whisper-server" "$out.tmp"
mv "$out.tmp" "$out"
echo "$want" >"$stamp"
echo "build-engine: built $out"

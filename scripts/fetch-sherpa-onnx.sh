#!/usr/bin/env bash
# Fetches the sherpa-onnx C library (libsherpa-onnx-c-api.so with its libonnxruntime.so) from
# the npm registry package sherpa-onnx-linux-x64, pinned and checked, into
# ${XDG_CACHE_HOME:-~/.cache}/voxmere/sherpa-onnx-linux-x64-<version>/lib. Only the two
# libraries are unpacked. A second run returns at once.
set -euo pipefail

package=sherpa-onnx-linux-x64
version=1.13.8
sha256=13291bcd825da5858ca27a35443e9a2c229a40616c0910086de2db12c5c9312c

cache="${XDG_CACHE_HOME:-$HOME/.cache}/voxmere"
tree="$cache/$package-$version"
[ -f "$tree/.unpacked" ] && exit 0

mkdir -p "$cache"
tarball="$cache/$package-$version.tgz"
if [ ! -f "$tarball" ]; then
    (cd "$cache" && npm pack --silent "$package@$version" >/dev/null)
fi
if ! echo "$sha256  $tarball" | sha256sum --check --quiet -; then
    echo "fetch-sherpa-onnx: $tarball does not match its pinned checksum" >&2
    rm -f "$tarball"
    exit 1
fi
rm -rf "$tree"
mkdir -p "$tree/lib"
tar -xzf "$tarball" -C "$tree/lib" --strip-components=1 \
    package/libsherpa-onnx-c-api.so package/libonnxruntime.so
touch "$tree/.unpacked"

#!/usr/bin/env bash
# Fetches the sherpa-onnx C library (libsherpa-onnx-c-api.so with its libonnxruntime.so) from
# the npm registry package sherpa-onnx-linux-x64, pinned and checked, into
# ${XDG_CACHE_HOME:-~/.cache}/voxmere/sherpa-onnx-linux-x64-<version>/lib. Only the two
# libraries are unpacked. A second run returns at once.
set -euo pipefail

package=sherpa-onnx-linux-x64
version=1.13.8
sha256=13291bcd825da5858ca27a35443e9a2c229a40616c0910086de2db12c5c9312c

. "$(dirname "$0")/npm-pinned.sh"
tree="$voxmere_cache/$package-$version"
[ -f "$tree/.unpacked" ] && exit 0

tarball=$(npm_pinned_tarball fetch-sherpa-onnx "$package" "$version" "$sha256") || exit 1
rm -rf "$tree"
mkdir -p "$tree/lib"
tar -xzf "$tarball" -C "$tree/lib" --strip-components=1 \
    package/libsherpa-onnx-c-api.so package/libonnxruntime.so
touch "$tree/.unpacked"

#!/usr/bin/env bash
# Builds the Debian package from the build tree, checks what it holds and what it depends on,
# and starts the packaged binary from an extracted tree with a private home.
# Usage: check-package.sh <build folder>
set -euo pipefail
build="$1"
work="$(mktemp -d)"
trap 'rm -rf "$work"' EXIT

cd "$build"
cpack -G DEB -B "$work/out" >/dev/null
deb="$(ls "$work"/out/voxmere_*_amd64.deb)"

contents="$(dpkg-deb -c "$deb" | awk '{print $6}')"
for path in ./usr/bin/voxmere ./usr/share/applications/com.qerin.voxmere.desktop \
            ./usr/share/metainfo/com.qerin.voxmere.metainfo.xml \
            ./usr/share/icons/hicolor/48x48/apps/com.qerin.voxmere.png \
            ./usr/share/icons/hicolor/512x512/apps/com.qerin.voxmere.png; do
    grep -qx "$path" <<<"$contents" || { echo "missing from the package: $path"; exit 1; }
done
depends="$(dpkg-deb -f "$deb" Depends)"
for library in libqt6core6 libqt6widgets6 libpulse0 libatspi2.0-0; do
    grep -q "$library" <<<"$depends" || { echo "Depends lacks $library: $depends"; exit 1; }
done
grep -q whisper <<<"$(dpkg-deb -f "$deb" Recommends)" || { echo "the engine is not recommended"; exit 1; }

dpkg-deb -x "$deb" "$work/root"
export HOME="$work/home" XDG_RUNTIME_DIR="$work/run" QT_QPA_PLATFORM=offscreen
export VOXMERE_MODEL="" VOXMERE_MODEL_URL="http://127.0.0.1:9/none"
mkdir -p "$HOME" "$XDG_RUNTIME_DIR"
chmod 700 "$XDG_RUNTIME_DIR"
"$work/root/usr/bin/voxmere" --make-icon "$work/icon.png"
[ -s "$work/icon.png" ] || { echo "--make-icon wrote nothing"; exit 1; }
"$work/root/usr/bin/voxmere" --background &
app=$!
for _ in $(seq 50); do
    [ -S "$XDG_RUNTIME_DIR/voxmere.sock" ] && break
    sleep 0.1
done
[ -S "$XDG_RUNTIME_DIR/voxmere.sock" ] || { echo "the packaged Voxmere did not start"; exit 1; }
kill -TERM "$app"
wait "$app" || { echo "the packaged Voxmere did not quit cleanly"; exit 1; }
grep -q "model download failed: no model path" "$HOME/.local/share/Voxmere/debug.log"
echo "package: $(basename "$deb") holds its files, depends on its libraries and runs"

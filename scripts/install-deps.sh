#!/usr/bin/env bash
# Installs the Debian 12 packages that building, testing and running Voxmere need.
# Fast when everything is already there: dpkg is asked first, apt only for what is missing.
set -euo pipefail

packages=(
    cmake ninja-build g++ pkg-config ccache
    qt6-base-dev qt6-httpserver-dev qt6-websockets-dev libgl-dev
    qt6-l10n-tools qt6-tools-dev qt6-translations-l10n
    libpulse-dev pulseaudio pulseaudio-utils
    libx11-dev libxi-dev libxtst-dev libxkbcommon-dev
    libatspi2.0-dev at-spi2-core dbus dbus-x11
    libavformat-dev libavcodec-dev libswresample-dev libavutil-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    libssl3 ca-certificates
    xvfb xdotool xclip xterm espeak-ng sox procps fonts-dejavu-core
    python3-onnx
)

here=$(cd "$(dirname "$0")" && pwd)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -ne 0 ]; then
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    echo "Installing: ${missing[*]}"
    export DEBIAN_FRONTEND=noninteractive
    $sudo apt-get update -qq
    $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
fi

# The speaker-embedding library the voiceprint tests load.
bash "$here/fetch-sherpa-onnx.sh"

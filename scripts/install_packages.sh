#!/usr/bin/env bash
# Installs the Debian 12 packages Kestrin needs to build, run and test, when
# any is missing. Uses sudo only when not root.
set -euo pipefail

packages=(
    build-essential cmake ninja-build pkg-config ccache
    qt6-base-dev qt6-base-dev-tools qt6-multimedia-dev libqt6printsupport6 qt6-image-formats-plugins
    # The sound window plays through Qt Multimedia's FFmpeg backend, which
    # ships in libqt6multimedia6 and brings the FFmpeg libraries with it.
    libqt6multimedia6
    zlib1g-dev libjpeg-dev libgif-dev libpng-dev
    # kestrin-cli writes JSON with nlohmann-json and hashes with Nettle.
    nlohmann-json3-dev nettle-dev
    libgtest-dev libgmock-dev libbenchmark-dev
    xvfb xauth
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
sudo=""
[ "$(id -u)" -eq 0 ] || sudo="sudo"
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"

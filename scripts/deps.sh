#!/usr/bin/env bash
# Installs the Debian packages the project builds and runs with; skips apt when all are present.
set -euo pipefail

PACKAGES=(
    build-essential cmake pkg-config clang clang-format
    zlib1g-dev libjpeg62-turbo-dev libpng-dev libfreetype-dev libfontconfig-dev libsdl2-dev
    nlohmann-json3-dev libgtest-dev libgmock-dev libbenchmark-dev
    liblitehtml-dev libgumbo-dev libcairo2-dev libcups2-dev libgif-dev poppler-utils
    fonts-dejavu-core fonts-liberation2 xvfb xauth
)

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing Debian packages: ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null

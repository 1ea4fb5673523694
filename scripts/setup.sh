#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test Quib Mesh.
# Idempotent: does nothing when everything is already there. Needs root for apt-get.
set -euo pipefail

packages=(cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev
          binutils-mingw-w64-i686 g++-mingw-w64-i686
          libcairo2-dev libfontconfig-dev libpugixml-dev nlohmann-json3-dev libcli11-dev
          inkscape wine32 xauth)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
# wine32 is a 32-bit package: its architecture must be known to dpkg first.
dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}"

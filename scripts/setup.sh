#!/usr/bin/env bash
# Installs what a fresh Debian 12 machine lacks to build and test Quib Mesh.
# Idempotent: does nothing when everything is already there. Needs root for apt-get.
set -euo pipefail

packages=(cmake g++ make libgtest-dev libgmock-dev libbenchmark-dev
          binutils-mingw-w64-i686 g++-mingw-w64-i686
          libcairo2-dev libfontconfig-dev libpugixml-dev nlohmann-json3-dev libcli11-dev
          inkscape qemu-user-static)
# Wine with its recommended libraries, as the end-to-end run was proven with.
wine_packages=(wine wine32)

missing=()
for p in "${packages[@]}" "${wine_packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
# Wine's 32-bit loader is an i386 program. A kernel that cannot run those directly gets
# them run through qemu's user-mode emulator (registered with binfmt_misc; needs root).
register_i386_emulation() {
  /lib/ld-linux.so.2 --version >/dev/null 2>&1 && return 0
  [ -x /usr/bin/qemu-i386-static ] || return 0
  [ "$(id -u)" -eq 0 ] || { echo "setup: i386 programs need root to register qemu-i386" >&2; return 0; }
  [ -e /proc/sys/fs/binfmt_misc/register ] ||
    mount -t binfmt_misc binfmt_misc /proc/sys/fs/binfmt_misc || return 0
  [ -e /proc/sys/fs/binfmt_misc/qemu-i386 ] ||
    printf '%s' ':qemu-i386:M::\x7fELF\x01\x01\x01\x00\x00\x00\x00\x00\x00\x00\x00\x00\x02\x00\x03\x00:\xff\xff\xff\xff\xff\xfe\xfe\x00\xff\xff\xff\xff\xff\xff\xff\xff\xfe\xff\xff\xff:/usr/bin/qemu-i386-static:F' \
      >/proc/sys/fs/binfmt_misc/register || true
}

if [ ${#missing[@]} -eq 0 ]; then
  register_i386_emulation
  exit 0
fi

echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO=sudo
# wine32 is a 32-bit package: its architecture must be known to dpkg first.
dpkg --print-foreign-architectures | grep -qx i386 || $SUDO dpkg --add-architecture i386
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq --no-install-recommends "${packages[@]}"
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq "${wine_packages[@]}"
register_i386_emulation

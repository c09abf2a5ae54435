#!/usr/bin/env bash
# Installs everything the build and the tests need on a fresh Debian 12 machine.
# Runs itself through sudo when not root. Packages already installed are skipped.
set -euo pipefail
if [ "$(id -u)" -ne 0 ]; then exec sudo "$0" "$@"; fi

packages=(
  cmake make g++ clang libclang-rt-14-dev
  googletest libgtest-dev libbenchmark-dev
  g++-mingw-w64-i686 g++-mingw-w64-x86-64 binutils-mingw-w64-i686 binutils-mingw-w64-x86-64
  wine wine64
  xvfb xdotool x11-utils imagemagick python3 fonts-dejavu-core
  fp-utils
)

missing=()
for p in "${packages[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
done

if [ ${#missing[@]} -eq 0 ]; then
  echo "install-deps: everything is already installed"
  exit 0
fi

echo "install-deps: installing ${missing[*]}"
export DEBIAN_FRONTEND=noninteractive
apt-get update
# wine32 must never come in: this kernel cannot run 32-bit Linux programs, and with it
# present /usr/bin/wine picks the 32-bit loader.
apt-get install -y --no-install-recommends "${missing[@]}"
if dpkg-query -W -f='${Status}' wine32 2>/dev/null | grep -q 'install ok installed'; then
  echo "install-deps: wine32 is installed and breaks wine here; remove it" >&2
  exit 1
fi

#!/usr/bin/env bash
# Builds the 32-bit release program and makes the release archive from it:
#   tools/release.sh [BUILD_FOLDER]      (build/win32 by default)
# prints the path of BUILD_FOLDER/pellomar-<version>-win32.zip. The same commit gives the
# same bytes, whatever the folders.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$root/build/win32}")
"$root/tools/install-deps.sh" >/dev/null
cmake --no-warn-unused-cli -S "$root" -B "$build" -DCMAKE_TOOLCHAIN_FILE="$root/cmake/mingw-i686.cmake" \
  -DCMAKE_BUILD_TYPE=MinSizeRel -DPELLOMAR_TESTS=OFF >/dev/null
cmake --build "$build" -j "$(nproc)" >/dev/null
python3 "$root/tools/make_release_zip.py" "$root" "$build"

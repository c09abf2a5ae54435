#!/usr/bin/env bash
# Builds the three configurations:
#   build/native  the portable core with its unit tests and fuzz targets (clang, ASan, UBSan)
#   build/win64   the program for 64-bit Windows with the Win32 and end-to-end tests
#   build/win32   the release program for 32-bit Windows: build/win32/pellomar.exe
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
cd "$root"
jobs=$(nproc)

CXX=clang++ cmake --no-warn-unused-cli -S . -B build/native -DCMAKE_BUILD_TYPE=Debug -DPELLOMAR_SANITIZE=ON >/dev/null
cmake --no-warn-unused-cli -S . -B build/win64 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-x86_64.cmake -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --no-warn-unused-cli -S . -B build/win32 -DCMAKE_TOOLCHAIN_FILE=cmake/mingw-i686.cmake -DCMAKE_BUILD_TYPE=MinSizeRel \
  -DPELLOMAR_TESTS=OFF >/dev/null
for config in native win64 win32; do
  cmake --build "build/$config" -j "$jobs"
done

# One CTest run over the native and the Wine tests, with one summary.
printf 'subdirs("native" "win64")\n' > build/CTestTestfile.cmake

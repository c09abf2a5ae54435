#!/usr/bin/env bash
# Installs what is needed, builds everything and runs every test: the native unit tests
# and fuzz targets, the Win32 tests and the end-to-end tests under Wine on a private X
# display. Arguments go to CTest (-R e2e, for instance).
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/tools/install-deps.sh"
"$root/tools/build.sh"
source "$root/tools/wine-session.sh"
wine_session_start
cd "$root/build"
ctest --output-on-failure -j "$(nproc)" "$@"

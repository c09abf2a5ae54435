#!/usr/bin/env bash
# The portable core's benchmarks, on an optimized native build without sanitizers.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
CXX=clang++ cmake --no-warn-unused-cli -S "$root" -B "$root/build/bench" -DCMAKE_BUILD_TYPE=Release >/dev/null
cmake --build "$root/build/bench" -j "$(nproc)" --target key_store_bench answers_bench catalog_bench
cd "$root/build/bench"
./key_store_bench "$@"
./answers_bench "$@"
./catalog_bench "$@"

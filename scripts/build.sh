#!/usr/bin/env bash
# Configures and builds into build/ (Release with debug info): everything, or with
# --program the program alone, without configuring the tests and benchmarks (the demo).
set -euo pipefail
cd "$(dirname "$0")/.."
if [ "${1:-}" = "--program" ]; then
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DETIQUETAS_TESTS=OFF -DETIQUETAS_BENCH=OFF >/dev/null
  cmake --build build --parallel "$(nproc)" --target etiquetas-vorla
else
  cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DETIQUETAS_TESTS=ON -DETIQUETAS_BENCH=ON >/dev/null
  cmake --build build --parallel "$(nproc)"
fi

#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQM_WERROR=ON -DQM_TESTS=ON -DQM_BENCH=ON >/dev/null
cmake --build build -j2
ctest --test-dir build --output-on-failure -j2

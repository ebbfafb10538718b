#!/usr/bin/env bash
# Builds everything with warnings as errors and runs every test.  With clang
# installed, the fuzz targets also run for a short while over their seeds.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQM_WERROR=ON -DQM_TESTS=ON -DQM_BENCH=ON >/dev/null
cmake --build build -j2

if command -v clang++ >/dev/null 2>&1; then
  CXX=clang++ cmake -S . -B build-fuzz -DCMAKE_BUILD_TYPE=RelWithDebInfo -DQM_FUZZ=ON -DQM_TESTS=OFF >/dev/null
  cmake --build build-fuzz -j2 --target rtf_reader_fuzz pad_rtf_fuzz >/dev/null
  for target in rtf_reader pad_rtf; do
    work=$(mktemp -d)
    cp fuzz/corpus/"$target"/* "$work"/
    build-fuzz/fuzz/${target}_fuzz -max_total_time="${QM_FUZZ_SECONDS:-15}" -rss_limit_mb=2048 -timeout=10 \
      -artifact_prefix=build-fuzz/ "$work" >build-fuzz/${target}.log 2>&1 ||
      { tail -n 40 build-fuzz/${target}.log; exit 1; }
    echo "fuzz ${target}: $(grep -o 'Done [0-9]* runs' build-fuzz/${target}.log), no crash"
    rm -rf "$work"
  done
else
  echo "clang++ not found: the fuzz targets are not built"
fi

ctest --test-dir build --output-on-failure -j2

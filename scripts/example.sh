#!/usr/bin/env bash
# Builds the program and converts the bundled example document to PDF.
set -euo pipefail
cd "$(dirname "$0")/.."
scripts/install-deps.sh
cmake -S . -B build -DCMAKE_BUILD_TYPE=Release -DQM_TESTS=OFF >/dev/null
cmake --build build --target quillomatrix -j2 >/dev/null
mkdir -p build/example
build/quillomatrix convert examples/welcome.rtf -o build/example/welcome.pdf -y --title "Welcome to Quillomatrix"
echo "The PDF is build/example/welcome.pdf"

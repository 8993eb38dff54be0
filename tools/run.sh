#!/usr/bin/env bash
# Sets up, builds a Release build and starts the program.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DTAVRO_TESTS=OFF >/dev/null
cmake --build build/release -j"$(nproc)" --target tavro2
exec build/release/tavro2 "$@"

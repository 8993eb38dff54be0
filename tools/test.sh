#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite: the headless tests and the
# GUI smoke test on a Release build, then the headless tests again built
# with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
JOBS="$(nproc)"

echo "== Release build"
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DTAVRO_BENCH=ON >/dev/null
cmake --build build/release -j"$JOBS"
ctest --test-dir build/release --output-on-failure -j"$JOBS"

echo "== Sanitizer build (headless, no toolkit)"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRO_GUI=OFF -DTAVRO_SANITIZE=ON >/dev/null
cmake --build build/sanitize -j"$JOBS"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/sanitize --output-on-failure -j"$JOBS"

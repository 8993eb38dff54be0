#!/usr/bin/env bash
# Sets up, builds and runs the whole test suite: the headless tests and the
# GUI smoke test on a Release build, then the headless tests again built
# with AddressSanitizer and UndefinedBehaviorSanitizer.
set -euo pipefail
cd "$(dirname "$0")/.."
bash tools/setup.sh
JOBS="$(nproc)"

echo "== Release build"
cmake -S . -B build/release -DCMAKE_BUILD_TYPE=Release -DTAVRO_BENCH=ON -DTAVRO_WERROR=ON >/dev/null
cmake --build build/release -j"$JOBS"
ctest --test-dir build/release --output-on-failure -j"$JOBS"
if [ -d build/release/gui-smoke ]; then
  echo "Screenshots for review:"
  find "$PWD/build/release/gui-smoke" -name '*.png' -o -name '*.svg' | sort | sed 's/^/  /'
fi

echo "== Sanitizer build (headless, no toolkit)"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRO_GUI=OFF -DTAVRO_SANITIZE=ON -DTAVRO_WERROR=ON >/dev/null
cmake --build build/sanitize -j"$JOBS"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/sanitize --output-on-failure -j"$JOBS"

echo "== Fuzzing the oil library reader (30 s, clang, AddressSanitizer)"
cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVRO_FUZZ=ON -DTAVRO_SANITIZE=ON -DTAVRO_GUI=OFF -DTAVRO_TESTS=OFF >/dev/null
cmake --build build/fuzz -j"$JOBS" --target fuzz_oillib
rm -rf build/fuzz/corpus && mkdir -p build/fuzz/corpus
build/fuzz/fuzz_oillib -max_total_time=30 -max_len=8192 -print_final_stats=1 \
  build/fuzz/corpus tests/data/oillib/fuzz 2>build/fuzz/fuzz.log || { tail -50 build/fuzz/fuzz.log; exit 1; }
echo "fuzzing found nothing: $(grep -c . build/fuzz/fuzz.log) log lines"

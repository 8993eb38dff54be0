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
# Once more in a zone far from UTC, so no test comes to depend on the zone.
echo "== Headless tests in Pacific/Kiritimati"
(cd build/release && TZ=Pacific/Kiritimati ./tavro_tests --gtest_brief=1)
if [ -d build/release/gui-smoke ]; then
  echo "Screenshots for review:"
  find "$PWD/build/release/gui-smoke" -name '*.png' -o -name '*.svg' | sort | sed 's/^/  /'
fi

echo "== Sanitizer build (headless, no toolkit)"
cmake -S . -B build/sanitize -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVRO_GUI=OFF -DTAVRO_SANITIZE=ON -DTAVRO_WERROR=ON >/dev/null
cmake --build build/sanitize -j"$JOBS"
ASAN_OPTIONS=detect_leaks=1 UBSAN_OPTIONS=print_stacktrace=1 \
  ctest --test-dir build/sanitize --output-on-failure -j"$JOBS"

echo "== Fuzzing the oil library reader and the scenario file open (30 s each, clang, AddressSanitizer)"
cmake -S . -B build/fuzz -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DTAVRO_FUZZ=ON -DTAVRO_SANITIZE=ON -DTAVRO_GUI=OFF -DTAVRO_TESTS=OFF >/dev/null
cmake --build build/fuzz -j"$JOBS" --target fuzz_oillib fuzz_scenario
# fuzz NAME MAX_LEN SEED_FOLDER...: 30 s from the kept inputs, in a scratch
# corpus; a finding is kept in build/fuzz/ and fails the run.
fuzz() {
  local name="$1" max_len="$2"
  shift 2
  rm -rf "build/fuzz/corpus-$name" && mkdir -p "build/fuzz/corpus-$name"
  "build/fuzz/$name" -max_total_time=30 -max_len="$max_len" -timeout=10 -print_final_stats=1 \
    -artifact_prefix="build/fuzz/$name-" "build/fuzz/corpus-$name" "$@" 2>"build/fuzz/$name.log" \
    || { tail -50 "build/fuzz/$name.log"; exit 1; }
  echo "$name found nothing: $(grep -c . "build/fuzz/$name.log") log lines"
}
fuzz fuzz_oillib 8192 tests/data/oillib/fuzz
fuzz fuzz_scenario 65536 tests/data/document tests/data/document/fuzz

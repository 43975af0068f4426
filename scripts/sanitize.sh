#!/usr/bin/env bash
# Builds everything with AddressSanitizer, UndefinedBehaviorSanitizer and
# LeakSanitizer in build-asan and runs the test suite there; any report fails the run.
# The end-to-end runs start the real program on a real X server, under the sanitizers too.
set -euo pipefail

repo="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
build="$repo/build-asan"

fail() { echo "sanitize: FAILED, $*"; exit 1; }

"$repo/scripts/setup.sh" || fail "could not install the build packages"

# The library's bounds assertions catch indexing past the size of a vector or string
# whose capacity is larger, which AddressSanitizer cannot see.
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=all"
cmake -S "$repo" -B "$build" -DCMAKE_BUILD_TYPE=Debug \
    -DKALVIO_BUILD_TESTS=ON -DKALVIO_BUILD_BENCHMARKS=ON \
    -DCMAKE_CXX_FLAGS="$sanitizers -fno-omit-frame-pointer -D_GLIBCXX_ASSERTIONS" \
    -DCMAKE_EXE_LINKER_FLAGS="$sanitizers" \
    || fail "configuring $build did not work"
cmake --build "$build" --parallel "$(nproc)" || fail "building did not work"

export QT_QPA_PLATFORM=offscreen
export ASAN_OPTIONS=halt_on_error=1:detect_leaks=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
export LSAN_OPTIONS="suppressions=$repo/tests/lsan.supp"

log="$build/sanitize.log"
status=0
ctest --test-dir "$build" --output-on-failure --no-tests=error \
    --parallel "$(nproc)" 2>&1 | tee "$log" || status=$?

"$repo/scripts/testtimes.sh" "$build" | tee -a "$log"
result="$(grep -E 'tests passed|No tests were found' "$log" || true)"
[ "$status" -eq 0 ] || fail "${result:-ctest exit $status}, see $log"
echo "sanitize: OK, $result, no sanitizer report"

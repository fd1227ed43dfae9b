#!/usr/bin/env bash
# Builds the engine, catalogue, platform and batch-command suites, the batch
# command and the fuzz replay with ASan and UBSan into ./build-sanitize (or
# $SANITIZE_BUILD_DIR) and runs them: unit tests, end-to-end runs of
# kelvaron-batch on both catalogue back ends, the kill test and the replay of
# the fuzz regressions and generated hostile recordings. The Qt widget suites
# are left to the plain build (their time goes to building Qt-heavy code that
# the batch command does not contain). Extra arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${SANITIZE_BUILD_DIR:-build-sanitize}
# The ODBC driver manager and drivers are not instrumented: what they keep
# allocated at exit is theirs, so leak detection is off.
export ASAN_OPTIONS=detect_leaks=0:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
cmake -S . -B "$build" -G Ninja -DKELVARON_SANITIZE=ON -DKELVARON_BUILD_BENCH=OFF "$@"
targets=(platform_tests catalog_tests engine_tests cli_tests kelvaron-batch
         convert_recording_replay make_hostile_recordings)
cmake --build "$build" --target "${targets[@]}"
cd "$build"
# Suites of targets not built here show up as *_NOT_BUILT.
ctest --output-on-failure --timeout 900 -E '_NOT_BUILT$'

#!/usr/bin/env bash
# Builds the program and every test suite with ASan and UBSan into
# ./build-sanitize (or $SANITIZE_BUILD_DIR) and runs them: unit and widget
# tests, end-to-end runs of kelvaron-batch on both catalogue back ends, the
# kill test and the replay of the fuzz regressions and generated hostile
# recordings. The benchmarks are left out. Extra arguments go to cmake.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${SANITIZE_BUILD_DIR:-build-sanitize}
# The ODBC driver manager and drivers are not instrumented: what they keep
# allocated at exit is theirs, so leak detection is off. The build needs the
# options too: test discovery runs the test programs.
export ASAN_OPTIONS=detect_leaks=0:halt_on_error=1
export UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1
# -O1 with line tables only: half the compile time of -O2 -g, and the reports
# still name file and line.
cmake -S . -B "$build" -G Ninja -DKELVARON_SANITIZE=ON -DKELVARON_BUILD_BENCH=OFF \
  -DCMAKE_BUILD_TYPE=RelWithDebInfo -DCMAKE_CXX_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" \
  -DCMAKE_C_FLAGS_RELWITHDEBINFO="-O1 -g1 -DNDEBUG" "$@"
cmake --build "$build"
cd "$build"
ctest --output-on-failure --timeout 900

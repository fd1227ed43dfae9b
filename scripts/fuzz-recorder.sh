#!/usr/bin/env bash
# Builds the recorder-file fuzz target with clang (libFuzzer, ASan, UBSan, all
# libraries instrumented) and runs it for ${FUZZ_SECONDS:-60} seconds from a
# seed corpus of generated recordings. A crash leaves its input in the build
# directory (crash-*); keep it under fuzz/regressions/ as a regression input.
set -euo pipefail
cd "$(dirname "$0")/.."
build=${FUZZ_BUILD_DIR:-build-fuzz}
seconds=${FUZZ_SECONDS:-60}
sanitizers="-fsanitize=address,undefined -fno-sanitize-recover=undefined"
cmake -S . -B "$build" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DKELVARON_BUILD_FUZZ=ON -DKELVARON_BUILD_BENCH=OFF \
  -DCMAKE_CXX_FLAGS="$sanitizers -fsanitize=fuzzer-no-link" -DCMAKE_EXE_LINKER_FLAGS="$sanitizers"
cmake --build "$build" --target convert_recording_fuzz make_seed_corpus
corpus="$build/fuzz/corpus"
mkdir -p "$corpus"
"$build/fuzz/make_seed_corpus" "$corpus"
# Earlier crash inputs first, each once.
"$build/fuzz/convert_recording_fuzz" -runs=0 fuzz/regressions
"$build/fuzz/convert_recording_fuzz" "$corpus" fuzz/regressions -max_total_time="$seconds" \
  -max_len=65536 -timeout=10 -rss_limit_mb=4096 -artifact_prefix="$build/fuzz/" -print_final_stats=1

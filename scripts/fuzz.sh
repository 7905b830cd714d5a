#!/usr/bin/env bash
# Builds the parsers' libFuzzer targets with clang into build-fuzz/ and runs each for SECONDS (default 60).
set -euo pipefail
cd "$(dirname "$0")/.."
seconds=${1:-60}
CC=clang CXX=clang++ cmake -S . -B build-fuzz -G Ninja -DQUILLON_FUZZ=ON -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_FLAGS="-fsanitize=fuzzer-no-link,address" >/dev/null
for target in $(cd tests/fuzz && ls *_fuzz.cpp | sed 's/\.cpp$//'); do
  cmake --build build-fuzz --target "$target"
  mkdir -p "build-fuzz/corpus/$target"
  "build-fuzz/tests/$target" -max_total_time="$seconds" "build-fuzz/corpus/$target"
done

#!/usr/bin/env bash
# Builds the libFuzzer targets with clang and runs each for a bounded time
# (seconds per target as the first argument, 60 by default).
set -euo pipefail
cd "$(dirname "$0")/.."
secondi=${1:-60}
command -v clang++ >/dev/null || { echo "serve clang (apt-get install clang)"; exit 1; }
cmake -S . -B build-fuzz -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DCMAKE_CXX_COMPILER=clang++ -DVALMORA_FUZZ=ON -DVALMORA_TESTS=OFF -DVALMORA_BENCH=OFF
cmake --build build-fuzz --target $(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//' | tr '\n' ' ')
mkdir -p build-fuzz/corpus
for f in fuzz/fuzz_*.cpp; do
  n=$(basename "$f" .cpp)
  mkdir -p "build-fuzz/corpus/$n"
  echo "== $n"
  ( cd build-fuzz && "./fuzz/$n" -max_total_time="$secondi" -max_len=20000 "corpus/$n" 2>&1 ) \
    | grep -E '^(#[0-9]+ +DONE|Done|==[0-9]+==ERROR|SUMMARY|artifact_prefix)' || true
done

#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite on
# the offscreen platform: once in a normal build, once more built with
# AddressSanitizer and UndefinedBehaviorSanitizer. Then it builds the fuzz
# targets and runs each one briefly from its seeds, under both of their
# builds, so that they keep up with the code they test and a finding fails
# the run.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dipendenze.sh
export QT_QPA_PLATFORM=offscreen
jobs=$(nproc)

cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-test -j "$jobs"
ctest --test-dir build-test --output-on-failure -j "$jobs"
# What a blind user hears, through the real screen reader in a desktop session
# of its own; bounded as a whole so that a stuck session cannot hang the run.
timeout 420 /usr/bin/python3 tests/orca/prova_orca.py build-test packaging

cmake -S . -B build-asan -G Ninja -DCMAKE_BUILD_TYPE=Debug -DVALMORA_SANITIZE=ON -DVALMORA_BENCH=OFF
cmake --build build-asan -j "$jobs"
ASAN_OPTIONS=detect_leaks=1:abort_on_error=1 \
LSAN_OPTIONS=suppressions="$PWD/tests/lsan.supp":print_suppressions=0 \
UBSAN_OPTIONS=print_stacktrace=1:halt_on_error=1 \
  ctest --test-dir build-asan --output-on-failure -j "$jobs"

# Every seed input once, then 10 seconds of fuzzing per target and build.
inizio=$SECONDS
bash scripts/fuzz.sh --solo-semi --secondi 10
bash scripts/fuzz.sh --solo-semi --secondi 10 --senza-asan
echo "Fuzzing breve: $((SECONDS - inizio)) secondi"

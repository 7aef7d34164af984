#!/usr/bin/env bash
# Installs what is missing, builds everything and runs the whole test suite
# on the offscreen platform.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dipendenze.sh
export QT_QPA_PLATFORM=offscreen
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo
cmake --build build-test
ctest --test-dir build-test --output-on-failure

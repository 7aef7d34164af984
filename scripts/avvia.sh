#!/usr/bin/env bash
# Installs what is missing, builds, lays out the program folder ./Valmora
# inside the checkout and starts the program from there.
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dipendenze.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release -DVALMORA_TESTS=OFF -DVALMORA_BENCH=OFF
cmake --build build --target valmora
cmake --install build --prefix "$PWD/Valmora"
exec "$PWD/Valmora/valmora"

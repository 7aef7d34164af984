#!/usr/bin/env bash
# Builds the program and photographs every screen and dialog under Xvfb at two
# screen sizes, under a light and under a dark desktop palette, into
# screenshots/ (or the folder given as first argument).
set -euo pipefail
cd "$(dirname "$0")/.."
bash scripts/dipendenze.sh
CARTELLA="${1:-screenshots}"
mkdir -p "$CARTELLA"
CARTELLA="$(cd "$CARTELLA" && pwd)"
cmake -S . -B build -G Ninja >/dev/null
cmake --build build --target fotografa_schermate -j 2
for schermo in 1366x768 1920x1080; do
  xvfb-run -a -s "-screen 0 ${schermo}x24" build/tools/fotografa_schermate "$CARTELLA" "$schermo-chiaro"
  xvfb-run -a -s "-screen 0 ${schermo}x24" build/tools/fotografa_schermate "$CARTELLA" "$schermo-scuro" scuro
done
ls -1 "$CARTELLA"

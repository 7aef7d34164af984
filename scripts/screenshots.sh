#!/usr/bin/env bash
# Builds the program and photographs every screen and dialog under Xvfb, into
# screenshots/ (or the folder given as first argument):
# - at two screen sizes, under a light and under a dark desktop palette;
# - under a real dark desktop theme (GNOME's Adwaita-dark through Qt's GTK
#   platform theme), on a 1366x768 screen at the scales 1, 1.5 and 2.
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
for scala in 1 1.5 2; do
  QT_QPA_PLATFORMTHEME=gtk3 GTK_THEME=Adwaita:dark QT_SCALE_FACTOR="$scala" \
    xvfb-run -a -s "-screen 0 1366x768x24" build/tools/fotografa_schermate "$CARTELLA" "1366x768-gtkscuro-x$scala"
done
ls -1 "$CARTELLA"

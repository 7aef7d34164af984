#!/usr/bin/env bash
# Builds and runs the benchmark. Start-up is timed on a real X server: the
# one in DISPLAY, or an Xvfb started here for the run. Archives go to a
# folder under /tmp (never into the source tree).
#   scripts/bench.sh [valmora_bench options, e.g. --schede 20000,200000 --ripetizioni 3]
set -euo pipefail
cd "$(dirname "$0")/.."
BUILD=${BUILD:-build-bench}  # a build of its own, optimised like a release
if [ ! -f "$BUILD/build.ninja" ]; then
  cmake -S . -B "$BUILD" -G Ninja -DCMAKE_BUILD_TYPE=Release -DVALMORA_TESTS=OFF -DVALMORA_BENCH=ON
fi
cmake --build "$BUILD" -j2 --target valmora_bench bench_avvio_minimo bench_avvio_valmora bench_schermate

CARTELLA=${CARTELLA:-/tmp/valmora_bench}
mkdir -p "$CARTELLA"
XVFB_PID=
if [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
  command -v Xvfb >/dev/null || { echo "Manca Xvfb: eseguire scripts/dipendenze.sh" >&2; exit 1; }
  for n in $(seq 90 120); do
    [ -e "/tmp/.X11-unix/X$n" ] || [ -e "/tmp/.X$n-lock" ] || { SCHERMO=":$n"; break; }
  done
  Xvfb "$SCHERMO" -screen 0 1280x1024x24 -nolisten tcp >/dev/null 2>&1 &
  XVFB_PID=$!
  trap 'kill "$XVFB_PID" 2>/dev/null || true' EXIT
  for _ in $(seq 50); do [ -e "/tmp/.X11-unix/X${SCHERMO#:}" ] && break; sleep 0.1; done
  export DISPLAY=$SCHERMO
fi
unset QT_QPA_PLATFORM
"$BUILD/bench/valmora_bench" --cartella "$CARTELLA" "$@"

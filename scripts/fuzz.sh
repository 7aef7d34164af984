#!/usr/bin/env bash
# Builds the libFuzzer targets with clang, seeds their corpora and runs them
# one after the other.
#
#   bash scripts/fuzz.sh                       every target for 60 seconds
#   bash scripts/fuzz.sh --secondi 300         every target for 300 seconds
#   bash scripts/fuzz.sh --esecuzioni 1000000  every target for a million inputs
#   bash scripts/fuzz.sh --esecuzioni 1000000 --secondi 600
#                                              a million inputs or 600 seconds,
#                                              whichever comes first
#   bash scripts/fuzz.sh [...] fuzz_scheda     only the targets named
#   bash scripts/fuzz.sh --senza-asan [...]    UBSan only, in build-fuzz-ubsan:
#                                              several times faster for the
#                                              targets that read archive files
#   bash scripts/fuzz.sh --solo-semi [...]     from the seeds alone, leaving out
#                                              the corpus kept by earlier runs
#                                              (what the test command runs)
#
# Every seed input runs once before the time or the count starts to matter.
# A crash, a broken property (abort), a leak, a slow input (over 10 seconds)
# or undefined behaviour is a finding: the input is kept under
# build-fuzz/reperti/<target>/ and the script ends with an error. At the end
# it prints how many inputs each target ran.
set -euo pipefail
cd "$(dirname "$0")/.."

secondi=
esecuzioni=
bersagli=()
build=build-fuzz
sanitizzatori=address,undefined
solo_semi=0
while [ $# -gt 0 ]; do
  case "$1" in
    --senza-asan) build=build-fuzz-ubsan; sanitizzatori=undefined; shift ;;
    --secondi) secondi=$2; shift 2 ;;
    --esecuzioni) esecuzioni=$2; shift 2 ;;
    --solo-semi) solo_semi=1; shift ;;
    [0-9]*) secondi=$1; shift ;;
    *) bersagli+=("$1"); shift ;;
  esac
done
limite=()
if [ -n "$secondi" ]; then limite+=(-max_total_time="$secondi"); fi
if [ -n "$esecuzioni" ]; then limite+=(-runs="$esecuzioni"); fi
if [ ${#limite[@]} -eq 0 ]; then limite=(-max_total_time=60); fi

# clang and its libFuzzer runtime: Debian packages, installed when missing.
PACCHETTI=(clang libclang-rt-14-dev cmake ninja-build qt6-base-dev)
mancanti=()
for p in "${PACCHETTI[@]}"; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || mancanti+=("$p")
done
if [ ${#mancanti[@]} -gt 0 ]; then
  if [ "$(id -u)" -eq 0 ]; then
    export DEBIAN_FRONTEND=noninteractive
    apt-get update -qq
    apt-get install -y -qq --no-install-recommends "${mancanti[@]}"
  else
    echo "Mancano dei pacchetti. Eseguire:"
    echo "  sudo apt-get install -y ${mancanti[*]}"
    exit 1
  fi
fi

if [ ${#bersagli[@]} -eq 0 ]; then
  mapfile -t bersagli < <(cd fuzz && ls fuzz_*.cpp | sed 's/\.cpp$//')
fi

lanciatore=()
command -v ccache >/dev/null && lanciatore=(-DCMAKE_CXX_COMPILER_LAUNCHER=ccache)
cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo "${lanciatore[@]}" \
  -DCMAKE_CXX_COMPILER=clang++ -DVALMORA_FUZZ=ON -DVALMORA_FUZZ_SANITIZERS="$sanitizzatori" \
  -DVALMORA_TESTS=OFF -DVALMORA_BENCH=OFF >/dev/null
cmake --build "$build" --target genera_semi "${bersagli[@]}"

rm -rf "$build/semi"
"$build/fuzz/genera_semi" "$build/semi"
export UBSAN_OPTIONS=halt_on_error=1:print_stacktrace=1
# The archive targets write their input to a file at every run: in memory.
if [ -d /dev/shm ] && [ -w /dev/shm ]; then export TMPDIR=/dev/shm; fi

riepilogo=()
trovati=0
for n in "${bersagli[@]}"; do
  mkdir -p "$build/corpus/$n" "$build/semi/$n" "$build/reperti/$n"
  echo "== $n"
  registro="$build/reperti/$n/ultimo.log"
  # New inputs go into the first folder: the kept corpus, or the seeds'
  # folder, which the next run writes afresh.
  corpora=("$build/corpus/$n" "$build/semi/$n")
  if [ "$solo_semi" -eq 1 ]; then corpora=("$build/semi/$n"); fi
  esito=0
  "$build/fuzz/$n" "${limite[@]}" -max_len=20000 -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$build/reperti/$n/" "${corpora[@]}" \
    >"$registro" 2>&1 || esito=$?
  grep -E '^(#[0-9]+ +DONE|Done|==[0-9]+==ERROR|SUMMARY|artifact_prefix|Test unit written)' "$registro" || true
  esecuzioni=$(sed -n 's/^stat::number_of_executed_units: *//p' "$registro" | tail -1)
  if [ "$esito" -ne 0 ]; then
    trovati=1
    riepilogo+=("$n: ${esecuzioni:-?} esecuzioni, REPERTO (vedere $registro)")
  elif [ "${esecuzioni:-0}" -eq 0 ]; then
    # A target that ran nothing proves nothing.
    trovati=1
    riepilogo+=("$n: nessuna esecuzione (vedere $registro)")
  else
    riepilogo+=("$n: ${esecuzioni:-?} esecuzioni, nessun reperto")
  fi
done
echo
printf '%s\n' "${riepilogo[@]}"
exit $trovati

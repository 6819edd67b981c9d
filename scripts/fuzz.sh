#!/bin/sh
# Builds the fuzz targets with clang, writes their seed corpora, replays the
# corpora (seeds, inputs found earlier and the checked-in findings under
# fuzz/findings/) and fuzzes each target for the given seconds (default 20;
# 0 only replays). A crash, a sanitizer report or a broken invariant fails.
#   ./scripts/fuzz.sh [seconds] [target...]
set -e
cd "$(dirname "$0")/.."
seconds="${1:-20}"
[ $# -gt 0 ] && shift
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVEK_FUZZ=ON \
  -DTAVEK_WERROR=ON -DTAVEK_BUILD_TESTS=OFF -DTAVEK_BUILD_BENCH=OFF >/dev/null
targets="$*"
[ -z "$targets" ] && targets=$(cd fuzz && ls *Fuzz.cpp | sed 's/\.cpp$//')
cmake --build "$build" --target tavek_fuzz_seeds $targets
"$build/fuzz/tavek_fuzz_seeds" "$build/seeds"
mkdir -p "$build/crashes"
for t in $targets; do
  # The largest input a target needs: a day of races and votes is big.
  case "$t" in
    DayLoadFuzz) max_len=120000 ;;
    StoreFuzz|RecordFuzz|ReferenceFuzz|RecordFolderFuzz) max_len=60000 ;;
    *) max_len=4096 ;;
  esac
  corpus="$build/corpus/$t"
  mkdir -p "$corpus" "fuzz/findings/$t"
  echo "== $t: replaying its corpus, then fuzzing for ${seconds}s"
  LSAN_OPTIONS=suppressions=scripts/lsan.supp "$build/fuzz/$t" -max_len=$max_len -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$build/crashes/$t-" -max_total_time="$seconds" -runs="$([ "$seconds" = 0 ] && echo 0 || echo -1)" \
    "$corpus" "$build/seeds/$t" "fuzz/findings/$t"
done

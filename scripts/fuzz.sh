#!/bin/sh
# Builds the fuzz targets with clang, writes their seed corpora, replays the
# corpora (seeds, the kept corpus fuzz/corpus/<target>, inputs found earlier
# and the checked-in findings under fuzz/findings/) and fuzzes each target for
# the given seconds (default 20; 0 only replays). After fuzzing, the kept
# corpus and the new inputs are merged (-merge=1) into the smallest set that
# covers them all, which replaces fuzz/corpus/<target> (at most 48 KB each, the
# smallest inputs first): the next run starts where this one ended. A crash, a sanitizer report or a broken invariant fails.
#   ./scripts/fuzz.sh [seconds] [target...]
set -e
cd "$(dirname "$0")/.."
seconds="${1:-20}"
[ $# -gt 0 ] && shift
build=build-fuzz
CC=clang CXX=clang++ cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=RelWithDebInfo -DTAVEK_FUZZ=ON \
  -DTAVEK_WERROR=ON -DTAVEK_BUILD_TESTS=OFF -DTAVEK_BUILD_BENCH=OFF >/dev/null
targets="$*"
[ -z "$targets" ] && targets=$(find fuzz -name '*Fuzz.cpp' | sed 's|.*/||; s/\.cpp$//' | sort)
cmake --build "$build" --target tavek_fuzz_seeds $targets
"$build/fuzz/tavek_fuzz_seeds" "$build/seeds"
mkdir -p "$build/crashes"
export LSAN_OPTIONS=suppressions=scripts/lsan.supp
budget_kb=48
for t in $targets; do
  # The largest input a target needs. DayLoadFuzz holds raw day files, kept
  # short so its corpus stays small; RaceLoadFuzz goes deep into the votes.
  case "$t" in
    DayLoadFuzz) max_len=16000 ;;
    StoreFuzz|RecordFuzz|ReferenceFuzz|RecordFolderFuzz) max_len=30000 ;;
    *) max_len=4096 ;;
  esac
  work="$build/corpus/$t"
  kept="fuzz/corpus/$t"
  mkdir -p "$work" "$kept" "fuzz/findings/$t"
  echo "== $t: replaying its corpus, then fuzzing for ${seconds}s"
  "$build/fuzz/$t" -max_len=$max_len -timeout=10 -print_final_stats=1 \
    -artifact_prefix="$build/crashes/$t-" -max_total_time="$seconds" -runs="$([ "$seconds" = 0 ] && echo 0 || echo -1)" \
    "$work" "$kept" "$build/seeds/$t" "fuzz/findings/$t"
  if [ "$seconds" != 0 ]; then
    merged="$build/merged/$t"
    rm -rf "$merged" && mkdir -p "$merged"
    "$build/fuzz/$t" -merge=1 -max_len=$max_len -timeout=10 "$merged" "$kept" "$work" 2>"$build/merge-$t.log" ||
      { cat "$build/merge-$t.log" >&2; exit 1; }
    # The kept corpus is committed: beyond its budget the largest inputs go
    # (records of 29 KB would otherwise make it megabytes).
    total=0
    for f in $(ls -S -r "$merged"); do
      size=$(stat -c %s "$merged/$f")
      total=$((total + size))
      [ "$total" -gt $((budget_kb * 1024)) ] && rm "$merged/$f"
    done
    rm -rf "$kept" && mv "$merged" "$kept"
    echo "== $t: kept corpus $(ls "$kept" | wc -l) inputs, $(cat "$kept"/* 2>/dev/null | wc -c) bytes"
  fi
done

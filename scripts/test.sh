#!/bin/sh
# Builds and runs the tests.
#   ./scripts/test.sh            the format check, then every test (warnings as errors)
#   ./scripts/test.sh sanitize   every test built with AddressSanitizer and UBSan
#   ./scripts/test.sh fuzz [S]   the fuzz targets: replay their corpora, then
#                                fuzz each for S seconds (default 20)
#   ./scripts/test.sh all        all three, as CI runs them
#   ./scripts/test.sh package    build the Debian package and check it (not in
#                                all: a release build of its own takes minutes)
set -e
cd "$(dirname "$0")/.."
mode="${1:-tests}"
case "$mode" in
  tests)
    ./scripts/install-deps.sh
    ./scripts/check-format.sh
    cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVEK_WERROR=ON
    cmake --build build-test
    ctest --test-dir build-test --output-on-failure -j2
    ;;
  sanitize)
    ./scripts/install-deps.sh
    cmake -S . -B build-sanitize -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVEK_WERROR=ON -DTAVEK_SANITIZE=ON \
      -DTAVEK_BUILD_BENCH=OFF
    cmake --build build-sanitize
    UBSAN_OPTIONS=print_stacktrace=1 ctest --test-dir build-sanitize --output-on-failure -j2
    ;;
  fuzz)
    ./scripts/install-deps.sh --fuzz
    ./scripts/fuzz.sh "${2:-20}"
    ;;
  package)
    ./scripts/check-package.sh
    ;;
  all)
    "$0" tests
    "$0" sanitize
    "$0" fuzz "${2:-20}"
    ;;
  *)
    echo "usage: $0 [tests|sanitize|fuzz [seconds]|all|package]" >&2
    exit 2
    ;;
esac

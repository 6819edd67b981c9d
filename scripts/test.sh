#!/bin/sh
# Builds everything (warnings as errors) and runs every test.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build-test -G Ninja -DCMAKE_BUILD_TYPE=Debug -DTAVEK_WERROR=ON
cmake --build build-test
ctest --test-dir build-test --output-on-failure -j2

#!/bin/sh
# Takes the README's pictures anew from the program as it is built now: the
# main window (docs/images/main.png) and the 資金配分 tab
# (docs/images/advisor.png), on the manual's fixed race day and without
# callouts. Run it after a change to either screen and commit the pictures
# with the change. Uses the release build of run.sh.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVEK_BUILD_TESTS=OFF -DTAVEK_BUILD_BENCH=OFF
cmake --build build-run --target manual-shots
taken=$(mktemp -d)
trap 'rm -rf "$taken"' EXIT
build-run/tools/manual-shots --plain "$taken" main advisor
mkdir -p docs/images
cp "$taken/main.png" "$taken/advisor.png" docs/images/
echo "docs/images/main.png and docs/images/advisor.png taken"

#!/bin/sh
# Builds Tavek, installs it under ~/.local/tavek (its data folder lives beside
# the executable there, out of reach of a rebuild) and starts it.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build-run -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVEK_BUILD_TESTS=OFF -DTAVEK_BUILD_BENCH=OFF
cmake --build build-run
cmake --install build-run --prefix "$HOME/.local/tavek" >/dev/null
exec "$HOME/.local/tavek/bin/TavekJ" "$@"

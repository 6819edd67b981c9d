#!/bin/sh
# Builds Tavek, installs it under ~/.local/tavek (its data folder lives beside
# the executable there, out of reach of a rebuild) and starts it.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh
cmake -S . -B build -G Ninja -DCMAKE_BUILD_TYPE=Release
cmake --build build
cmake --install build --prefix "$HOME/.local/tavek" >/dev/null
exec "$HOME/.local/tavek/bin/TavekJ" "$@"

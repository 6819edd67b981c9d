#!/bin/sh
# Builds the Debian package build-package/tavek_<version>_amd64.deb: a release
# build with Debian's hardening flags, installed under /usr, every user's files
# in ~/.local/share/Tavek.
set -e
cd "$(dirname "$0")/.."
./scripts/install-deps.sh --package
export DEB_BUILD_MAINT_OPTIONS=hardening=+all
cflags="$(dpkg-buildflags --get CXXFLAGS) $(dpkg-buildflags --get CPPFLAGS)"
ldflags="$(dpkg-buildflags --get LDFLAGS)"
cmake -S . -B build-package -G Ninja -DCMAKE_BUILD_TYPE=Release -DTAVEK_BUILD_TESTS=OFF -DTAVEK_BUILD_BENCH=OFF \
  -DTAVEK_PACKAGE=ON -DCMAKE_CXX_FLAGS="$cflags" -DCMAKE_EXE_LINKER_FLAGS="$ldflags" \
  -DCMAKE_CXX_COMPILER_LAUNCHER="$(command -v ccache || true)" >/dev/null
cmake --build build-package -j2
rm -f build-package/tavek_*.deb
(cd build-package && cpack -G DEB >/dev/null)
ls build-package/tavek_*_amd64.deb

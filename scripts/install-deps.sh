#!/bin/sh
# Installs the Debian 12 packages that building, running and testing Tavek need,
# skipping those already present. With --fuzz, also clang and its sanitizer
# and libFuzzer runtimes for the fuzz targets; with --package, the tools that
# build and check the Debian package.
set -e
PKGS="g++ cmake ninja-build pkg-config qt6-base-dev qt6-qpa-plugins libgl-dev \
libgtest-dev libgmock-dev libbenchmark-dev fonts-ipafont-gothic xvfb xdg-utils clang-format \
qt6-charts-dev qt6-translations-l10n libqt6sql6-sqlite"
[ "$1" = "--fuzz" ] && PKGS="$PKGS clang libclang-rt-14-dev"
[ "$1" = "--package" ] && PKGS="$PKGS dpkg-dev file desktop-file-utils appstream lintian"
missing=""
for p in $PKGS; do
  dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing="$missing $p"
done
[ -z "$missing" ] && exit 0
SUDO=""
[ "$(id -u)" -ne 0 ] && SUDO="sudo"
echo "Installing:$missing"
$SUDO apt-get update -qq
DEBIAN_FRONTEND=noninteractive $SUDO apt-get install -y -qq $missing

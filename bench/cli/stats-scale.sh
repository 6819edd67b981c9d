#!/bin/sh
# tavek-cli stats at scale: the built-in service's seasons fetched into an
# application folder of their own, then stats over one season and over all of
# them, each timed with its peak memory (GNU time). The fetch takes about five
# seconds a season and leaves 200 MB of day files; the folder is kept for the next run.
#
#   bench/cli/stats-scale.sh BUILD_DIR [FOLDER] [FIRST_YEAR] [LAST_YEAR]
#
# BUILD_DIR is a release build (its src/cli/tavek-cli); FOLDER defaults to
# BUILD_DIR/stats-scale; the seasons to 2005 to 2025 (21), the one season
# timed alone being the last.
set -eu
build=$(cd "$1" && pwd)
folder=${2:-$build/stats-scale}
first=${3:-2005}
last=${4:-2025}

mkdir -p "$folder"
cli=$folder/tavek-cli
cp "$build/src/cli/tavek-cli" "$cli"  # its folder is the application folder
# The built-in service downloads at once.
printf '[Emulator]\r\nDownloadPace=0\r\n' >"$folder/JVLinkEmu.ini"
if [ ! -f "$folder/fetched-$first-$last" ]; then
    "$cli" fetch --from "$((first - 1))1225000000" >/dev/null
    rm -rf "$folder/JVLinkEmu"  # the downloaded files; stats reads the day files
    touch "$folder/fetched-$first-$last"
fi

measure() {
    /usr/bin/time -f "%e s, %M KB peak: $*" "$cli" "$@" >/dev/null
}
measure stats --from "$last-01-01" --to "$last-12-31"
measure stats --from "$first-01-01" --to "$last-12-31"

#!/bin/sh
# tavek-cli replay over a season of the built-in service: the season fetched
# into an application folder of its own (as check-payouts-scale.sh does; the
# same FOLDER serves both), then the replays the README quotes, each timed
# with its peak memory (GNU time): every pool by the value rule with Kelly
# stakes, and the win pool's return by popularity.
#
#   bench/cli/replay-scale.sh BUILD_DIR [FOLDER] [YEAR]
#
# BUILD_DIR is a release build (its src/cli/tavek-cli); FOLDER defaults to
# BUILD_DIR/check-payouts-scale, YEAR to 2025.
set -eu
build=$(cd "$1" && pwd)
folder=${2:-$build/check-payouts-scale}
year=${3:-2025}

mkdir -p "$folder"
cli=$folder/tavek-cli
cp "$build/src/cli/tavek-cli" "$cli"  # its folder is the application folder
printf '[Emulator]\r\nDownloadPace=0\r\n' >"$folder/JVLinkEmu.ini"
if [ ! -f "$folder/fetched-$year" ]; then
    "$cli" fetch --from "$((year - 1))1225000000" >/dev/null
    rm -rf "$folder/JVLinkEmu"
    touch "$folder/fetched-$year"
fi

span="--from $year-01-01 --to $year-12-31"
measure() {
    /usr/bin/time -f "%e s (%U s user, %S s system), %M KB peak: $*" "$cli" "$@" >/dev/null
}
# shellcheck disable=SC2086
measure replay $span --rule value --pool all --stake kelly:0.25
# shellcheck disable=SC2086
measure replay $span --rule value --pool all
# shellcheck disable=SC2086
measure replay $span --rule popularity:all --pool win --bankroll 100000000
# shellcheck disable=SC2086
"$cli" replay $span --rule popularity:all --pool win --bankroll 100000000 | sed -n '/人気別/,/^$/p'

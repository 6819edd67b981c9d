#!/bin/sh
# tavek-cli check-payouts over a season of the built-in service: the season
# fetched into an application folder of its own (every season from YEAR to
# today, about 450 MB of day files a season with the trifecta's, kept for the
# next run), then check-payouts and stats
# over it, each timed with its peak memory (GNU time). check-payouts must
# find no difference: the service pays what the payout rules give.
#
#   bench/cli/check-payouts-scale.sh BUILD_DIR [FOLDER] [YEAR]
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
# The built-in service downloads at once.
printf '[Emulator]\r\nDownloadPace=0\r\n' >"$folder/JVLinkEmu.ini"
if [ ! -f "$folder/fetched-$year" ]; then
    "$cli" fetch --from "$((year - 1))1225000000" >/dev/null
    rm -rf "$folder/JVLinkEmu"  # the downloaded files; the commands read the day files
    touch "$folder/fetched-$year"
fi

measure() {
    /usr/bin/time -f "%e s (%U s user, %S s system), %M KB peak: $*" "$cli" "$@" >/dev/null
}
measure check-payouts --from "$year-01-01" --to "$year-12-31"
"$cli" check-payouts --from "$year-01-01" --to "$year-12-31" | tail -1
measure stats --from "$year-01-01" --to "$year-12-31"

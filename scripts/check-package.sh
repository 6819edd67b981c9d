#!/bin/sh
# Builds the Debian package and checks it: its contents and dependencies, the
# desktop entry and the AppStream metainfo, both programs run from an unpacked
# copy with a fresh HOME (their files must land in ~/.local/share/Tavek and
# nowhere else), and lintian (its warnings are shown, its errors fail).
set -e
cd "$(dirname "$0")/.."
./scripts/package.sh >/dev/null
version=$(sed -n 's/^project(Tavek VERSION \([0-9.]*\).*/\1/p' CMakeLists.txt)
deb="build-package/tavek_${version}_amd64.deb"
app_id=$(sed -n 's/^set(TAVEK_APP_ID \(.*\))$/\1/p' cmake/TavekPackage.cmake)
fail() {
  echo "check-package: $*" >&2
  exit 1
}
[ -f "$deb" ] || fail "$deb was not built (project version $version)"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "package version is not the project version $version"

work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT INT TERM
root="$work/root"
dpkg-deb -x "$deb" "$root"

echo "== contents"
for f in usr/bin/TavekJ usr/bin/tavek-cli usr/share/tavek/Tavek.pdf \
  "usr/share/applications/$app_id.desktop" "usr/share/metainfo/$app_id.metainfo.xml" \
  "usr/share/icons/hicolor/scalable/apps/$app_id.svg" \
  usr/share/man/man1/tavek-cli.1.gz usr/share/man/man1/TavekJ.1.gz \
  usr/share/bash-completion/completions/tavek-cli \
  usr/share/doc/tavek/copyright usr/share/doc/tavek/changelog.gz; do
  [ -s "$root/$f" ] || fail "missing from the package: /$f"
done
for size in 16 24 32 48 64 128 256; do
  f="usr/share/icons/hicolor/${size}x${size}/apps/$app_id.png"
  file "$root/$f" | grep -q "PNG image data, $size x $size" || fail "missing or wrong size: /$f"
done
depends=$(dpkg-deb -f "$deb" Depends)
for d in libqt6core6 libqt6widgets6 fonts-ipafont-gothic qt6-translations-l10n libqt6sql6-sqlite libqt6charts6; do
  echo "$depends" | grep -q "$d" || fail "Depends lacks $d: $depends"
done
echo "Depends: $depends"
bash -n "$root/usr/share/bash-completion/completions/tavek-cli" || fail "the bash completion does not parse"

echo "== desktop entry and metainfo"
desktop-file-validate "$root/usr/share/applications/$app_id.desktop"
appstreamcli validate --no-net --explain "$root/usr/share/metainfo/$app_id.metainfo.xml"

echo "== running the unpacked programs"
home="$work/home"
mkdir -p "$home"
(cd "$root" && find . | sort) >"$work/tree.before"
run() { env -i PATH=/usr/bin:/bin HOME="$home" LANG=C.UTF-8 "$@"; }
cli="$root/usr/bin/tavek-cli"
run "$cli" fetch >"$work/fetch.out" || fail "tavek-cli fetch failed: $(tail -3 "$work/fetch.out")"
day=$(run "$cli" dates | head -n 1)
[ -n "$day" ] || fail "tavek-cli fetch stored no race day"
run "$cli" win "$day" 1 >"$work/win.out" || fail "tavek-cli win $day 1 failed"
grep -q "単勝合計票数" "$work/win.out" || fail "tavek-cli win printed no win grid"
if run "$cli" --version >"$work/version.out" 2>/dev/null; then
  grep -q "$version" "$work/version.out" || fail "tavek-cli --version does not show $version"
fi
status=0
run QT_QPA_PLATFORM=offscreen timeout 4 "$root/usr/bin/TavekJ" >"$work/gui.out" 2>&1 || status=$?
[ "$status" -eq 124 ] || fail "TavekJ ended by itself (status $status) instead of running: $(tail -3 "$work/gui.out")"
data="$home/.local/share/Tavek"
for f in Data ErrorLog.txt JVLinkEmu; do
  [ -e "$data/$f" ] || fail "$data/$f was not written; there are: $(ls -A "$data")"
done
stray=$(cd "$home" && find . -mindepth 1 ! -path ./.local ! -path ./.local/share ! -path './.local/share/Tavek*' \
  ! -path './.cache*')
[ -z "$stray" ] || fail "the programs wrote outside ~/.local/share/Tavek: $stray"
(cd "$root" && find . | sort) >"$work/tree.after"
cmp -s "$work/tree.before" "$work/tree.after" ||
  fail "the programs wrote into the installed tree: $(comm -13 "$work/tree.before" "$work/tree.after")"
echo "both programs ran; their files are in ~/.local/share/Tavek"

if command -v lintian >/dev/null; then
  echo "== lintian"
  lintian --fail-on error --display-level ">=warning" "$deb"
fi
echo "check-package: $deb is fine"

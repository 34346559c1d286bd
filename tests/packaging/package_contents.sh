#!/usr/bin/env bash
# Builds the Debian package with tools/package, has Debian's own checkers judge it (lintian,
# appstreamcli, desktop-file-validate, man), then checks its games layout, its version, its
# declared dependencies and, unpacked, the game itself.
# Usage: package_contents.sh SOURCE_DIR OUTPUT_DIR GAME_VERSION
set -euo pipefail
source=$1
out=$2
version=$3

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

"$source/tools/package" "$out" >"$tmp/package.log" 2>&1 || fail "tools/package: $(cat "$tmp/package.log")"
deb="$out/quorvex_${version}_$(dpkg --print-architecture).deb"
[ -f "$deb" ] || fail "no $deb: is debian/changelog's version the game's? $(ls "$out")"

lintian --fail-on error,warning "$deb" >"$tmp/lintian.log" 2>&1 || fail "lintian: $(cat "$tmp/lintian.log")"
root="$tmp/root"
dpkg -x "$deb" "$root"
id=invalid.quorvex.Quorvex
appstreamcli validate-tree --no-net "$root" >"$tmp/as.log" 2>&1 || fail "appstreamcli: $(cat "$tmp/as.log")"
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop-file-validate"
page=$(LC_ALL=C.UTF-8 man --warnings -l "$root/usr/share/man/man6/quorvex.6.gz" 2>"$tmp/man.log") ||
    fail "man: $(cat "$tmp/man.log")"
[ ! -s "$tmp/man.log" ] && grep -q '^EXIT STATUS' <<<"$page" || fail "man: $(cat "$tmp/man.log")"

# Debian's games layout: the game itself alone on the PATH, its data off it.
[ "$(cd "$root/usr" && find games bin sbin lib/games -type f 2>/dev/null)" = games/quorvex ] ||
    fail "expected usr/games/quorvex alone on the PATH and nothing in usr/lib/games"
game="$root/usr/games/quorvex"
[ -x "$game" ] && [ "$(head -c 4 "$game" | tail -c 3)" = ELF ] || fail "usr/games/quorvex is not the game"
for dir in shaders resources; do
    (cd "$source/$dir" && find . -type f ! -name '.*' ! -name 'icon_*.png' | sort) >"$tmp/want"
    (cd "$root/usr/share/games/quorvex/$dir" && find . -type f | sort) >"$tmp/have"
    diff "$tmp/want" "$tmp/have" >&2 || fail "usr/share/games/quorvex/$dir differs from $dir/"
done
for size in 32 48 64 128 256; do
    cmp "$source/resources/icon_$size.png" "$root/usr/share/icons/hicolor/${size}x$size/apps/quorvex.png" ||
        fail "no generated ${size}px icon in hicolor/${size}x$size"
done

# Every library the game links must come from a declared package, or a fresh system would
# install the game without it.
depends=$(dpkg-deb --field "$deb" Depends)
while read -r library; do
    path=$(ldd "$game" | awk -v lib="$library" '$1 == lib { print $3 }')
    [ -n "$path" ] || fail "$library is not found on this system"
    owner=$(dpkg -S "$(readlink -f "$path")" 2>/dev/null || dpkg -S "$path") || fail "no package owns $path"
    owner=${owner%%:*}
    tr ',|' '\n\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//' | grep -Fxq "$owner" || fail "$library ($owner) missing from Depends: $depends"
done < <(readelf -d "$game" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p')

# One version everywhere: the game's, the manual page's and the AppStream release's.
[ "$("$game" --version)" = "quorvex $version" ] || fail "quorvex --version: $("$game" --version)"
zcat "$root/usr/share/man/man6/quorvex.6.gz" | grep -q "^\.TH QUORVEX 6 .* \"Quorvex $version\"" ||
    fail "the manual page is not of version $version"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/$id.metainfo.xml" ||
    fail "the AppStream metadata has no release $version"
# Every option of --help has its entry in the manual page.
for option in $("$game" --help | grep -o -- '^  --[a-z]*'); do
    grep -q -- "^       $option" <<<"$page" || fail "the manual page does not describe $option"
done

# The unpacked game finds its data beside itself, wherever it is started; a refused player's
# configuration ends it before any window is needed.
mkdir -p "$tmp/config/quorvex" "$tmp/elsewhere"
printf 'window\n640\n-1\n' >"$tmp/config/quorvex/config"
status=0
(cd "$tmp/elsewhere" && env -u DISPLAY HOME="$tmp" XDG_CONFIG_HOME="$tmp/config" "$game" >"$tmp/run.log" 2>&1) ||
    status=$?
[ "$status" = 2 ] && grep -qx "$tmp/config/quorvex/config:3: .*" "$tmp/run.log" ||
    fail "the unpacked game ended with $status: $(cat "$tmp/run.log")"
echo "package $(basename "$deb"): lintian, appstreamcli, desktop-file-validate and man clean"

#!/usr/bin/env bash
# Builds the Debian package from the build, then checks its declared dependencies and, in a
# throwaway root, its file list, its desktop entry and its launcher.
# Usage: package_contents.sh CPACK_COMMAND BUILD_DIR SOURCE_DIR
set -euo pipefail
cpack_command=$1
build=$2
source=$3

tmp=$(mktemp -d)
trap 'rm -rf "$tmp"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

"$cpack_command" -G DEB --config "$build/CPackConfig.cmake" -B "$tmp/out" >"$tmp/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$tmp/cpack.log")"
debs=("$tmp"/out/quorvex_*_*.deb)
[ ${#debs[@]} = 1 ] && [ -f "${debs[0]}" ] || fail "expected one quorvex_VERSION_ARCH.deb, got: ${debs[*]}"
deb=${debs[0]}

[ "$(dpkg-deb --field "$deb" Package)" = quorvex ] || fail "wrong package name"
[ "$(dpkg-deb --field "$deb" Architecture)" = "$(dpkg --print-architecture)" ] || fail "wrong architecture"
depends=$(dpkg-deb --field "$deb" Depends)
[ -n "$depends" ] || fail "no Depends field: $(dpkg-deb --info "$deb")"

root="$tmp/root"
dpkg -x "$deb" "$root"
game="$root/usr/libexec/quorvex/quorvex"
[ -x "$game" ] || fail "no game binary at /usr/libexec/quorvex/quorvex"

# Every library the game links must come from a declared package, or a fresh system would
# install the game without it.
while read -r library; do
    path=$(ldd "$game" | awk -v lib="$library" '$1 == lib { print $3 }')
    [ -n "$path" ] || fail "$library is not found on this system"
    owner=$(dpkg -S "$(readlink -f "$path")" 2>/dev/null || dpkg -S "$path") ||
        fail "no package owns $path"
    owner=${owner%%:*}
    tr ',|' '\n\n' <<<"$depends" | sed 's/^ *//; s/[ (].*//' | grep -Fxq "$owner" || fail "$library ($owner) missing from Depends: $depends"
done < <(readelf -d "$game" | sed -n 's/.*Shared library: \[\(.*\)\]/\1/p')

# The data is the source tree's, file for file.
for dir in shaders resources; do
    (cd "$source/$dir" && find . -type f ! -name '.*' | sort) >"$tmp/want"
    (cd "$root/usr/share/quorvex/$dir" && find . -type f | sort) >"$tmp/have"
    diff "$tmp/want" "$tmp/have" >&2 || fail "usr/share/quorvex/$dir differs from $dir/"
done

# The desktop entry's command is on the PATH directory and its icon in the icon theme.
entry="$root/usr/share/applications/quorvex.desktop"
[ -f "$entry" ] || fail "no desktop entry at /usr/share/applications/quorvex.desktop"
value() { sed -n "s/^$1=//p" "$entry" | head -n 1; }
exec_name=$(value Exec)
exec_name=${exec_name%% *}
[ -x "$root/usr/bin/$exec_name" ] || fail "Exec=$exec_name is not in /usr/bin"
icon=$(value Icon)
icon_file="$root/usr/share/icons/hicolor/256x256/apps/$icon.png"
[ -f "$icon_file" ] || fail "Icon=$icon has no /usr/share/icons/hicolor/256x256/apps/$icon.png"
# PNG header: width and height, big-endian, at bytes 16 to 23.
[ "$(od -An -tx1 -j16 -N8 "$icon_file" | tr -d ' \n')" = 0000010000000100 ] ||
    fail "the icon is not a 256x256 PNG"
grep -q '^Categories=.*Game;' "$entry" || fail "the desktop entry is not in the Game category"
if command -v desktop-file-validate >/dev/null; then desktop-file-validate "$entry"; fi

# The unpacked launcher runs the unpacked game on its data; a refused player's configuration
# ends it before any window is needed.
mkdir -p "$tmp/config/quorvex" "$tmp/runtime" "$tmp/elsewhere"
printf 'window\n640\n-1\n' >"$tmp/config/quorvex/config"
status=0
(cd "$tmp/elsewhere" && env -u DISPLAY HOME="$tmp" XDG_CONFIG_HOME="$tmp/config" \
    XDG_RUNTIME_DIR="$tmp/runtime" "$root/usr/bin/$exec_name" >"$tmp/run.log" 2>&1) || status=$?
[ "$status" = 2 ] && grep -q 'resources/config:3:' "$tmp/run.log" ||
    fail "the unpacked launcher ended with $status: $(cat "$tmp/run.log")"
echo "package $(basename "$deb"): Depends: $depends"

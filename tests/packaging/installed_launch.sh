#!/usr/bin/env bash
# Installs the build into a fresh prefix and starts the game through the installed launcher on
# the test run's X display, from a directory that has nothing to do with the game.
# Usage: installed_launch.sh CMAKE_COMMAND BUILD_DIR
set -euo pipefail
cmake_command=$1
build=$2

tmp=$(mktemp -d)
pid=
# The X server outlives this test: leave no key down and no game running on it.
trap 'xdotool keyup Escape || true; [ -z "$pid" ] || kill "$pid" 2>/dev/null || true; rm -rf "$tmp"' EXIT
fail() {
    echo "FAIL: $*" >&2
    exit 1
}

# A space in the prefix catches unquoted paths in the launcher.
prefix="$tmp/pre fix"
"$cmake_command" --install "$build" --prefix "$prefix" >/dev/null
launcher="$prefix/games/quorvex"
[ -x "$launcher" ] || fail "no launcher at $launcher"

# The working directory holds a refused configuration: a game that read it would end with 2.
elsewhere="$tmp/elsewhere"
mkdir -p "$elsewhere/resources"
printf 'window\n0\n0\n' >"$elsewhere/resources/config"

export HOME="$tmp/home" XDG_CONFIG_HOME="$tmp/config" XDG_RUNTIME_DIR="$tmp/runtime"
unset XDG_CACHE_HOME
mkdir -p "$HOME" "$XDG_CONFIG_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"
export SDL_AUDIODRIVER=dummy

# play EXPECTED_GEOMETRY: starts the game, checks its window, quits with Escape; sets status
# to the game's exit status.
play() {
    (cd "$elsewhere" && exec "$launcher" >"$tmp/game.log" 2>&1) &
    pid=$!
    local window geometry
    window=$(timeout 30 xdotool search --sync --onlyvisible --name '^Quorvex$' | head -n 1) ||
        fail "no window titled Quorvex; game output: $(cat "$tmp/game.log")"
    [ "$(readlink "/proc/$pid/exe")" = "$prefix/lib/games/quorvex/quorvex" ] ||
        fail "the launcher did not exec the installed game"
    geometry=$(xdotool getwindowgeometry "$window" | sed -n 's/^ *Geometry: //p')
    [ "$geometry" = "$1" ] || fail "window is $geometry, expected $1"
    timeout 5 xdotool windowfocus --sync "$window" 2>/dev/null || true
    # Held until the game has ended: a loaded machine may draw a frame slower than a short tap.
    xdotool keydown Escape
    timeout 20 tail --pid="$pid" -f /dev/null || fail "the game did not end on Escape: $(cat "$tmp/game.log")"
    xdotool keyup Escape
    status=0
    wait "$pid" || status=$?
    pid=
}

# The player's own configuration is used and left as it was.
mkdir -p "$XDG_CONFIG_HOME/quorvex"
player="$XDG_CONFIG_HOME/quorvex/config"
printf 'window\n640\n480\n' >"$player"
touch -d '2001-02-03 04:05:06' "$player"
before=$(stat -c '%s %Y %i' "$player")
play 640x480
[ "$status" = 0 ] || fail "the game with the player's configuration did not end with 0"
[ -f "$player" ] && [ ! -L "$player" ] && [ "$(stat -c '%s %Y %i' "$player")" = "$before" ] ||
    fail "the player's configuration was replaced or touched"

# A refused player's configuration gives the game's own status and message.
printf 'window\n0\n480\n' >"$player"
status=0
(cd "$elsewhere" && "$launcher" >"$tmp/refused.log" 2>&1) || status=$?
[ "$status" = 2 ] || fail "a refused player's configuration ended with $status, expected 2"
grep -q 'resources/config:2:' "$tmp/refused.log" || fail "no message on line 2: $(cat "$tmp/refused.log")"

# Without a player's file the installed default counts again, and none is created.
rm -r "$XDG_CONFIG_HOME/quorvex"
default="$prefix/share/games/quorvex/resources/config"
expected="$(sed -n 2p "$default")x$(sed -n 3p "$default")"
play "$expected"
[ "$status" = 0 ] || fail "the game with the default configuration did not end with 0"
[ ! -e "$XDG_CONFIG_HOME/quorvex" ] || fail "the launcher created a player's configuration"
[ "$(ls -A "$elsewhere")" = resources ] || fail "files were left in the working directory"
echo "installed launcher: player's and default configuration, exit statuses 0 and 2"

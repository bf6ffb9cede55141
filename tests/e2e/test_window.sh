#!/bin/bash
# The game opens a 640x480 window titled "Karvelle"; Escape, and separately
# SIGTERM, end it with exit code 0 within a second and leave the profile.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"

start_game
geometry=$(xdotool getwindowgeometry "$WID" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "640x480" ] || fail "window is $geometry, not 640x480"
sleep 0.5
hold Escape; sleep 0.2; release Escape
wait_exit 1 || fail "Escape did not end the game within a second"
[ "$GAME_STATUS" = 0 ] || fail "exit code $GAME_STATUS after Escape"
[ "$(profile_lines | wc -l)" = 8 ] || fail "profile after Escape: $(profile_lines)"

rm -f "$WORK/data/profile.dat"
start_game
kill -TERM "$GAME_PID"
wait_exit 1 || fail "SIGTERM did not end the game within a second"
[ "$GAME_STATUS" = 0 ] || fail "exit code $GAME_STATUS after SIGTERM"
[ "$(profile_lines | tr -d '\n')" = "00000000" ] || fail "profile after SIGTERM: $(profile_lines)"
echo "window, Escape and SIGTERM: ok"

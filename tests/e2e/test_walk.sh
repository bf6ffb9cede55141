#!/bin/bash
# An action key leaves the first screen for play; Right held walks from room 0
# into room 1, whose scene shows with the player standing on its floor.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"
walk_into_room1
shot=$(screenshot room1)
# The room as painted, enlarged like the game does; what differs is the player.
convert "$WORK/data/graphics/screens/scene2.pcx" -crop 80x60+0+0 +repage -scale 800% "$WORK/scene2.png"
convert "$shot" "$WORK/scene2.png" -compose difference -composite -threshold 8% \
    -define connected-components:verbose=false -format '%@' info: > "$WORK/bbox" 2>/dev/null
bbox=$(cat "$WORK/bbox")   # WxH+X+Y of every pixel that differs
note "player's box: $bbox"
[ -n "$bbox" ] || fail "nothing drawn over the scene"
height=$(echo "$bbox" | sed -E 's/^[0-9]+x([0-9]+)\+.*/\1/')
top=$(echo "$bbox" | sed -E 's/.*\+[0-9]+\+([0-9]+)$/\1/')
[ "$top" -ge 300 ] && [ "$top" -le 340 ] || fail "the player's top is at y $top, not on the floor line"
[ $((top + height)) -le 424 ] || fail "the player reaches y $((top + height)), below the floor"
xdotool keydown Escape; sleep 0.2; xdotool keyup Escape
wait_trace "mode EventScreen, page 0," 5
quit_game
echo "walk: ok"

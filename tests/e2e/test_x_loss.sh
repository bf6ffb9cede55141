#!/bin/bash
# The X connection or the window goes while the player walks (as when the
# player logs out with the game open): the game stops in order, saying why, and
# the endings found are kept, with no temporary file left.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"

# A walk with endings on disk: on the display's loss the game saves them again
# and stops. (That an ending found in a run is on disk the moment it is recorded,
# before anything can happen to the display, test_playthrough.sh checks.)
walking() {
    printf '1\n0\n0\n0\n0\n0\n0\n1\n' > "$WORK/data/profile.dat"
    start_game --trace
    begin_game
    xdotool keydown Right
    sleep 0.5
}

# after_loss STATUS TEXT: the game ended with STATUS, said TEXT, kept the endings.
after_loss() {
    wait_exit 5 || fail "the game did not stop ($2)"
    [ "$GAME_STATUS" = "$1" ] || fail "exit code $GAME_STATUS, expected $1 ($2)"
    grep -q "$2" "$WORK/stderr.log" || fail "stderr does not say '$2': $(cat "$WORK/stderr.log")"
    [ "$(profile_lines | tr -d '\n')" = 10000001 ] || fail "profile after the loss: $(profile_lines | tr -d '\n')"
    ls "$WORK/data" | grep -q "profile.dat\." && fail "a temporary profile was left behind"
    return 0
}

note "xdotool windowclose: the window is destroyed under the game"
walking
xdotool windowclose "$WID"
after_loss 0 "the window was destroyed"
xdotool keyup Right

note "xdotool windowkill: the X connection is cut"
walking
xdotool windowkill "$WID"
after_loss 1 "connection to the display was lost"
xdotool keyup Right

note "the X server ends"
walking
kill "$XVFB_PID"
after_loss 1 "connection to the display was lost"
XVFB_PID=""
echo "x loss: ok"

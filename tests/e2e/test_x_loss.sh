#!/bin/bash
# The X connection or the window goes while a run has found an ending (as when
# the player logs out with the game open): the ending is already on disk the
# moment it is recorded, and the game stops in order, saying why.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"

# Walks straight home to ending 7 and stops on the slow fade that records it.
reach_ending7() {
    printf '1\n0\n0\n0\n0\n0\n0\n0\n' > "$WORK/data/profile.dat"
    start_game --trace
    begin_game
    xdotool keydown Right
    for p in 1 2 4 11; do expect_page $p 60; done
    wait_trace "page -2," 30
    sleep 0.3
    [ "$(profile_lines | tr -d '\n')" = 10000010 ] || fail "ending 7 not saved when recorded: $(profile_lines | tr -d '\n')"
    note "ending 7 on disk before the display goes"
}

# after_loss STATUS TEXT: the game ended with STATUS, said TEXT, kept the endings.
after_loss() {
    wait_exit 5 || fail "the game did not stop ($2)"
    [ "$GAME_STATUS" = "$1" ] || fail "exit code $GAME_STATUS, expected $1 ($2)"
    grep -q "$2" "$WORK/stderr.log" || fail "stderr does not say '$2': $(cat "$WORK/stderr.log")"
    [ "$(profile_lines | tr -d '\n')" = 10000010 ] || fail "profile after the loss: $(profile_lines | tr -d '\n')"
    ls "$WORK/data" | grep -q "profile.dat\." && fail "a temporary profile was left behind"
    return 0
}

note "xdotool windowclose: the window is destroyed under the game"
reach_ending7
xdotool windowclose "$WID"
after_loss 0 "the window was destroyed"
xdotool keyup Right

note "xdotool windowkill: the X connection is cut"
reach_ending7
xdotool windowkill "$WID"
after_loss 1 "connection to the display was lost"
xdotool keyup Right

note "the X server ends"
reach_ending7
kill "$XVFB_PID"
after_loss 1 "connection to the display was lost"
XVFB_PID=""
echo "x loss: ok"

#!/bin/bash
# Keys let go outside the window, where the focus follows the pointer and the
# release never reaches the game: F4 (the display switch) and Escape while
# walking once made the game wait for ever, deaf to SIGTERM. The wait now ends
# when the pointer takes the keyboard away, and on SIGTERM.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"
printf '0\n0\n1\n0\n0\n0\n0\n0\n' > "$WORK/data/profile.dat"

# The game with the focus following the pointer: no window is given the focus.
launch_pointer_focus() {
    (cd "$WORK" && exec ./karvelle --trace --frame-stats >"$WORK/stdout.log" 2>"$WORK/stderr.log") &
    GAME_PID=$!
    TRACE_POS=0
    WID=$(timeout 10 xdotool search --sync --name '^Karvelle$' | head -n1)
    [ -n "$WID" ] || fail "no window"
    xdotool mousemove --window "$WID" 320 240
    wait_trace "mode EventScreen, page 40," 5
    sleep 0.3
}

# term_and_count: SIGTERM, status 0 within 2 s; FRAMES is the frame count.
term_and_count() {
    kill -TERM "$GAME_PID"
    wait_exit 2 || fail "SIGTERM did not end the game"
    [ "$GAME_STATUS" = 0 ] || fail "exit code $GAME_STATUS"
    [ "$(profile_lines | tr -d '\n')" = 00100000 ] || fail "profile damaged"
    FRAMES=$(sed -n 's/^frames \([0-9]*\),.*/\1/p' "$WORK/stdout.log")
}

note "F4 held, the pointer leaves, F4 let go outside: the frames go on"
launch_pointer_focus
xdotool keydown F4
sleep 0.3
xdotool mousemove 790 590
sleep 0.2
xdotool keyup F4
sleep 2
term_and_count
# Stuck, the game would have drawn only the frames before F4 (about 40).
[ "${FRAMES:-0}" -gt 120 ] || fail "only ${FRAMES:-no} frames: the game waited for F4"

note "Escape held while walking, let go outside: the walk ends in the interlude and the game goes on"
launch_pointer_focus
tap space
wait_trace "mode EventScreen, page 0," 3
tap space
wait_trace "mode Play," 5
xdotool keydown Right
sleep 0.3
xdotool keydown Escape
sleep 0.2
xdotool mousemove 790 590
sleep 0.2
xdotool keyup Escape
xdotool keyup Right
wait_trace "mode Interlude," 3
wait_trace "mode EventScreen, page 0," 5
sleep 0.3
kill -0 "$GAME_PID" 2>/dev/null || fail "the game quit: the Escape given up counted on the title page"
term_and_count

note "F4 held in the window, SIGTERM during the wait"
launch_pointer_focus
xdotool keydown F4
sleep 0.3
term_and_count
xdotool keyup F4
echo "crafted keys: ok"

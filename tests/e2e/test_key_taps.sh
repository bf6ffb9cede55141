#!/bin/bash
# Keys as a hurried player presses them: a 10 ms tap of Space, shorter than a
# frame, starts the walk from the title every time; a tap of Escape, however
# short, quits; Alt+Enter switches the display and leaves the continue prompt
# where it is.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"

# tap_briefly KEY MS: the key down and up again MS milliseconds later, from one
# xdotool, so the gap is what it says.
tap_briefly() {
    xdotool keydown "$1" sleep "0.0$2" keyup "$1"
}

note "a 10 ms tap of Space on the title starts the walk, 10 times in 10"
for try in 1 2 3 4 5 6 7 8 9 10; do
    rm -f "$WORK/data/profile.dat"
    start_game --trace
    wait_trace "mode EventScreen, page 0," 10
    sleep 0.3
    tap_briefly space 10
    if ! timeout 3 bash -c "until grep -q 'mode Play,' '$WORK/stdout.log'; do sleep 0.05; done"; then
        fail "try $try: the tap did not start the walk: $(tail -n 2 "$WORK/stdout.log")"
    fi
    kill -TERM "$GAME_PID"
    wait_exit 3 || fail "try $try: SIGTERM did not end the game"
done

note "the same key tapped again in one run counts again: the prompt, the title, the walk"
printf '0\n1\n0\n0\n0\n0\n0\n0\n' > "$WORK/data/profile.dat"
start_game --trace
wait_trace "mode EventScreen, page 40," 10
sleep 0.3
xdotool keydown space keyup space
wait_trace "mode EventScreen, page 0," 3
sleep 0.3
xdotool keydown space keyup space
wait_trace "mode Play," 3
kill -TERM "$GAME_PID"
wait_exit 3 || fail "SIGTERM did not end the game"

note "a tap of Escape as short as a millisecond on the title quits, 6 times in 6"
for try in 1 2 3 4 5 6; do
    rm -f "$WORK/data/profile.dat"
    start_game --trace
    wait_trace "mode EventScreen, page 0," 10
    sleep 0.3
    xdotool keydown Escape keyup Escape
    wait_exit 3 || fail "try $try: the tap of Escape did not end the game"
    [ "$GAME_STATUS" = 0 ] || fail "try $try: exit code $GAME_STATUS after Escape"
done

note "Alt+Enter twice on the continue prompt: the display switches, the prompt stays"
printf '0\n0\n1\n0\n0\n0\n0\n0\n' > "$WORK/data/profile.dat"
start_game --trace
wait_trace "mode EventScreen, page 40," 10
sleep 0.5
# The size of the game's top window: the named one in a window, Allegro's
# unnamed one full-screen (the whole 800x600 screen here).
geometry() { xwininfo -root -children | grep -o ' [0-9]*x[0-9]*+[0-9]*+[0-9]* ' | head -n1 | cut -d+ -f1 | tr -d ' '; }
sizes=""
for round in 1 2; do
    # As a player presses it: Alt first, Enter a moment later, then both let go.
    xdotool keydown alt sleep 0.1 keydown Return sleep 0.1 keyup Return sleep 0.1 keyup alt
    sleep 1
    xdotool windowfocus "$WID" >/dev/null 2>&1 || true
    sizes="$sizes $(geometry)"
done
[ "$sizes" = " 800x600 640x480" ] || fail "the window was$sizes after the two switches, not 800x600 then 640x480"
sleep 0.3
if tail -n +$((TRACE_POS + 1)) "$WORK/stdout.log" | grep -q "^frame "; then
    fail "Alt+Enter turned the page: $(tail -n +$((TRACE_POS + 1)) "$WORK/stdout.log" | head -n 3)"
fi

note "a 12 ms tap of Escape on the prompt quits"
tap_briefly Escape 12
wait_exit 3 || fail "the Escape tap did not end the game"
[ "$GAME_STATUS" = 0 ] || fail "exit code $GAME_STATUS after Escape"
echo "key taps and the display switch: ok"

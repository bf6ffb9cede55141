#!/bin/bash
# Captions: with --captions the roar in the dark cave of room 58 shows as a line
# at the foot of the screen while it sounds, and the trace names it. The
# title shows the flashing-images warning; K on the continue prompt calms the
# game and says so for a second.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"

# foot_words FILE: what tesseract reads in the band at the foot of a shot.
foot_words() {
    convert "$1" -crop 640x46+0+430 +repage -colorspace Gray -threshold 50% -negate -resize 300% png:- |
        tesseract - - --psm 7 2>/dev/null | tr '\n' ' '
}

# --- the warning on the title, and K on the prompt ---------------------------------
printf '1\n0\n0\n0\n0\n0\n0\n0\n' > "$WORK/data/profile.dat"
start_game --trace
wait_trace "mode EventScreen, page 40," 10
sleep 0.3
tap k
sleep 0.1
words=$(foot_words "$(screenshot calm_notice)")
echo "$words" | grep -q "Calm mode on" || fail "K on the prompt does not say \"Calm mode on\": $words"
sleep 1.2
words=$(foot_words "$(screenshot no_notice)")
echo "$words" | grep -q "Calm" && fail "the notice stays longer than a second: $words"
tap space
wait_trace "mode EventScreen, page 0," 5
sleep 0.3
shot=$(screenshot title)
words=$(convert "$shot" -crop 640x32+0+0 +repage -colorspace Gray -negate -resize 400% png:- |
    tesseract - - --psm 7 2>/dev/null)
# (Small letters: "for" may read as "tor".)
echo "$words" | grep -qE "Flashing image.* K .or calm mode" || fail "no warning on the title: $words"
quit_game

# --- the roar of room 58 -----------------------------------------------------------
rm -f "$WORK/data/profile.dat"
start_game --trace --captions
begin_game
xdotool keydown Right
for p in 1 2; do expect_page $p; done
wait_trace "room 4$" 30
xdotool keydown Up
for p in 4 5 6 7 10 8 9; do expect_page $p 60; done
wait_trace "room 58$" 60
wait_trace "page -12, room 58$" 10
wait_trace "caption \[a great roar\]$" 2
xdotool keyup Right keyup Up
sleep 0.2
words=$(foot_words "$(screenshot roar)")
echo "$words" | grep -q "a great roar" || fail "room 58 does not show the roar's caption: $words"
# The roar lasts two to three seconds; then its caption is gone.
sleep 3.5
words=$(foot_words "$(screenshot after_roar)")
echo "$words" | grep -q "roar" && fail "the roar's caption outlasts it: $words"
xdotool keydown Escape; sleep 0.2; xdotool keyup Escape
wait_trace "mode EventScreen, page 0," 5
quit_game
echo "captions: ok"

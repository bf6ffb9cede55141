#!/bin/bash
# With no profile the title reads "KARVELLE" and "Press Space to Begin"; an
# action key leaves it for play; Right held walks from room 0 into room 1, whose
# scene shows with the player standing on its floor; P pauses the walk, its
# picture and its music, and P again goes on; the neighbour in room 2 says good
# morning (the words read off the screen). (tests/e2e/test_dialogue.sh, the
# same walk's title and page without the rest, is the sanitizer build's run.)
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"
command -v sox >/dev/null || fail "sox is needed"
# What the game plays goes to a file (unsigned 16-bit stereo, 44.1 kHz).
export HOME="$WORK/home"
mkdir -p "$HOME"
raw="$WORK/sound.raw"
printf 'pcm.!default { type file; slave.pcm "null"; file "%s"; format "raw" }\n' "$raw" > "$HOME/.asoundrc"
# rms FROM TO: the level of the sound written between two sizes of the file.
rms() {
    tail -c +$(($1 / 4 * 4 + 1)) "$raw" | head -c $((($2 - $1) / 4 * 4)) |
        sox -t raw -r 44100 -e unsigned -b 16 -c 2 - -n stat 2>&1 | awk '/RMS +amplitude/ { print $3 }'
}
start_game --trace
expect_words title "KARVELLE"
expect_words title "Press Space to Begin"
enter_room1
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

# P on the walk: the frame count stands still for a second, the picture with it;
# P again and the walk goes on to room 1's page.
xdotool keydown Right
sleep 0.3
tap p
wait_trace ": paused$" 5
paused_at=$(sed -n "${TRACE_POS}p" "$WORK/stdout.log" | sed -E 's/^frame ([0-9]+):.*/\1/')
sleep 0.4
from=$(stat -c %s "$raw")
a=$(screenshot paused_a); sleep 0.6; b=$(screenshot paused_b)
to=$(stat -c %s "$raw")
changed=$(compare -metric AE "$a" "$b" null: 2>&1 | cut -d' ' -f1)
[ "${changed%.*}" = 0 ] || fail "the paused picture changed ($changed pixels)"
words=$(convert "$b" -crop 640x60+0+210 +repage -colorspace Gray -threshold 50% -negate -resize 300% png:- |
    tesseract - - --psm 7 2>/dev/null)
echo "$words" | grep -q "Paused" || fail "the pause does not read \"Paused\": $words"
tap p
wait_trace ": resumed$" 5
resumed_at=$(sed -n "${TRACE_POS}p" "$WORK/stdout.log" | sed -E 's/^frame ([0-9]+):.*/\1/')
note "paused at frame $paused_at, resumed at frame $resumed_at"
[ "$paused_at" = "$resumed_at" ] || fail "frames ran during the pause ($paused_at to $resumed_at)"
walked=$(stat -c %s "$raw"); sleep 0.6; walked_to=$(stat -c %s "$raw")
quiet=$(rms $from $to); playing=$(rms $walked $walked_to)
note "sound level paused $quiet, walking on $playing"
awk -v q="$quiet" -v p="$playing" 'BEGIN { exit !(q < 0.002 && p > 0.01) }' ||
    fail "the music does not stop for the pause (level $quiet paused, $playing after)"
wait_trace "mode EventScreen, page 2," 30
xdotool keyup Right
sleep 0.3
expect_words page2 "Good morning. Nice day, isn't it?"
tap space
wait_trace "mode Play," 5
xdotool keydown Escape; sleep 0.2; xdotool keyup Escape
wait_trace "mode EventScreen, page 0," 5
quit_game
echo "walk: ok"

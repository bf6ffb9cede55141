#!/bin/bash
# A player coming back for the other endings, with hurry on ([controls]
# hurry_read = 1), who has found the walk home before (so that the girl in room
# 2, whose words follow the count, says the same on both walks): path 7 read
# once, page by page, then walked again holding
# Right alone, every page already read turning by itself after half a second, to
# its ending. Then, with two endings found, E on the continue prompt lists them by
# their paths; and Left on a page shows the page before, a page key comes back.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"
printf '[graphics]\nfullscreen = 0\n[controls]\nhurry_read = 1\n' > "$WORK/config.ini"
pages_file=$WORK/data/pages-read.dat

# frame_at PATTERN: the frame of the first trace line (from stdin, or the log) matching it.
frame_at() { grep -m1 "$1" "${2:-$WORK/stdout.log}" | sed 's/frame \([0-9]*\):.*/\1/'; }
# walk_frames: frames from the start of the walk to the ending's sound event.
walk_frames() { echo $(($(frame_at 'page -2,') - $(frame_at 'mode Play, page 0, room 0$'))); }

# --- the first walk: every page waits for its key ----------------------------
printf '0\n0\n0\n0\n0\n0\n1\n0\n' > "$WORK/data/profile.dat"
start_game --trace
walk_path 7
quit_game
expect_profile 00000010
[ "$(cat "$pages_file")" = "$(printf '1\n11\n2.1\n4')" ] || fail "pages read: $(cat "$pages_file" | tr '\n' ' ')"
first=$(walk_frames)

# --- the second: Right held alone ---------------------------------------------
start_game --trace
begin_game
hold Right
wait_trace "page -2," 60
release_all
wait_trace "mode EventScreen, page 0, room 0" 20
quit_game
second=$(walk_frames)
note "walk to ending 7: $first frames reading each page, $second holding Right with hurry on"
# Each page stood half a second, turned without a key.
for p in 1 2 4 11; do
    opened=$(frame_at "mode EventScreen, page $p,")
    [ -n "$opened" ] || fail "page $p was not shown on the second walk"
    closed=$(sed -n "/mode EventScreen, page $p,/,\$p" "$WORK/stdout.log" | frame_at 'mode Play' -)
    up=$((closed - opened))
    [ $up -ge 30 ] && [ $up -le 45 ] || fail "page $p stood $up frames, not half a second"
done

# --- two endings found: the endings page --------------------------------------
printf '1\n0\n0\n0\n0\n0\n1\n0\n' > "$WORK/data/profile.dat"
start_game --trace
wait_trace "mode EventScreen, page 40," 10
sleep 0.4
tap e
wait_trace "endings page" 5
sleep 0.3
for line in "1. The loan sharks" "2. Not yet found" "7. The walk home" "8. Not yet found"; do
    expect_words endings "$line"
done
tap Escape
wait_trace "the page itself" 5
sleep 0.3
kill -0 "$GAME_PID" || fail "Escape on the endings page ended the game"
expect_words prompt "two paths out of eight"

# --- Left on a page -------------------------------------------------------------
tap space
wait_trace "mode EventScreen, page 0," 5
sleep 0.3
tap space
wait_trace "mode Play," 10
hold Right
wait_trace "mode EventScreen, page 2," 30
release Right
sleep 0.2
expect_words page2 "Oh, fine, walk on by."
tap Left
wait_trace "looking back 1, page 1" 5
expect_words back "I worry when you're away..."
tap Left
sleep 0.3
tap space
wait_trace "the page itself" 5
expect_words page2again "Oh, fine, walk on by."
# Looking back turned nothing: page 2 is still up, and the next press turns it.
grep -q 'looking back 2' "$WORK/stdout.log" && fail "Left went back past the first page of the walk"
tail -n +$TRACE_POS "$WORK/stdout.log" | grep -q 'mode Play' && fail "looking back turned the page"
tap space
wait_trace "mode Play, page 2, room 2" 5
quit_game_from_play() { tap BackSpace; wait_trace "mode EventScreen, page 0," 10; quit_game; }
quit_game_from_play
echo "returning: ok"

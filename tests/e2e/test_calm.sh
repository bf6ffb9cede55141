#!/bin/bash
# Calm mode: the shadow over room 61 keeps its pattern for a third of a second
# instead of flickering every frame. K on the continue prompt calms the game and
# says so for a second, the title shows the flashing-images warning, and K there
# switches calm mode off again: every screenshot of the shadow then differs.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"

# pattern_changes: twelve screenshots of the shadow strip in a row; prints how
# often the pattern changed from one shot to the next, and the seconds taken.
pattern_changes() {
    local start=$(date +%s%N) i
    for i in $(seq 12); do
        import -window "$WID" -crop 120x300+500+0 rgb:- 2>/dev/null | md5sum
    done | uniq | wc -l | awk '{ print $1 - 1 }'
    awk -v ns=$(($(date +%s%N) - start)) 'BEGIN { printf "%.2f\n", ns / 1e9 }'
}

# Escape gives up the walk; Escape on the title then quits.
leave() {
    xdotool keydown Escape; sleep 0.2; xdotool keyup Escape
    wait_trace "mode EventScreen, page 0," 5
    quit_game
}

# Changes a third of a second apart: a span of T seconds holds at most 3T + 1.
start_game --trace --calm --warp 61
wait_trace "mode Play, page 0, room 61" 10
sleep 0.5
# A flicker changes at every shot, which tells it from calm only when the shots
# take less than 3 1/3 s: on a busy machine the twelve are taken again.
for try in 1 2 3 4; do
    set -- $(pattern_changes)
    note "calm on: $1 changes in 11 shots over $2 s"
    awk -v n="$1" -v t="$2" 'BEGIN { exit !(n <= int(3 * t) + 1) }' || fail "calm mode: $1 changes in $2 s"
    awk -v t="$2" 'BEGIN { exit !(t < 3) }' && break
done
[ "$1" -lt 10 ] || fail "calm mode flickers, or the shots were too slow to tell: $1 changes in 11 shots over $2 s"
leave

printf '1\n1\n1\n1\n1\n1\n1\n0\n' > "$WORK/data/profile.dat"
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
tap k
sleep 0.2
tap space
wait_trace "mode Play, page 0, room 61" 10
sleep 0.5
set -- $(pattern_changes)
note "calm off again: $1 changes in 11 shots over $2 s"
[ "$1" -ge 10 ] || fail "without calm mode the shadow should flicker ($1 changes in 11 shots)"
leave
echo "calm: ok"

#!/bin/bash
# Calm mode switched on with K on the title: the shadow over room 61 keeps its
# pattern for a third of a second instead of flickering every frame. Without it,
# every screenshot of the shadow differs.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"

# pattern_changes: twelve screenshots of the shadow strip in a row; prints how
# often the pattern changed from one shot to the next, and the seconds taken.
pattern_changes() {
    local start=$(date +%s%N) i
    for i in $(seq 12); do
        import -window "$WID" "$WORK/shadow$i.png" 2>/dev/null || fail "screenshot"
        convert "$WORK/shadow$i.png" -crop 120x300+500+0 +repage rgb:- | md5sum
    done | uniq | wc -l | awk '{ print $1 - 1 }'
    awk -v ns=$(($(date +%s%N) - start)) 'BEGIN { printf "%.2f\n", ns / 1e9 }'
}

# room61 [OPTIONS]: into room 61 through the prompt and the title, then stand still.
room61() {
    printf '1\n1\n1\n1\n1\n1\n1\n0\n' > "$WORK/data/profile.dat"
    start_game --trace "$@"
    wait_trace "mode EventScreen, page 40," 10
    sleep 0.2; tap space
    wait_trace "mode EventScreen, page 0," 5
    sleep 0.2
    [ -n "${CALM_KEY:-}" ] && tap k
    tap space
    wait_trace "mode Play, page 0, room 61" 10
    sleep 0.5
}

# Escape gives up the walk; Escape on the title then quits.
leave() {
    xdotool keydown Escape; sleep 0.2; xdotool keyup Escape
    wait_trace "mode EventScreen, page 0," 5
    quit_game
}

room61
set -- $(pattern_changes)
note "calm off: $1 changes in 11 shots over $2 s"
[ "$1" -ge 10 ] || fail "without calm mode the shadow should flicker ($1 changes in 11 shots)"
leave

# Changes a third of a second apart: a span of T seconds holds at most 3T + 1.
CALM_KEY=1 room61
set -- $(pattern_changes)
note "calm on: $1 changes in 11 shots over $2 s"
awk -v n="$1" -v t="$2" 'BEGIN { exit !(n <= int(3 * t) + 1) }' || fail "calm mode: $1 changes in $2 s"
[ "$1" -lt 10 ] || fail "calm mode flickers: $1 changes in 11 shots"
leave
echo "calm: ok"

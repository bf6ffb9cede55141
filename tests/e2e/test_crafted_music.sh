#!/bin/bash
# Crafted music modules, each one field of possibilities.it changed: a tempo or
# a C5 speed of 0 (division by zero), compressed stereo samples (the library
# calls exit), a C5 speed of 0xFFFFFFFF and nested pattern loops (no first frame),
# a sample length of 0x40000000 (gigabytes), a pattern length of 0xFFFF and two
# events in one channel row (the library's debug file in the working folder).
# Each: the first frame within two seconds, one line on stderr naming the file,
# silence (the nested loops play), SIGTERM ends the game with status 0, the
# profile and the read-only working folder kept. Then the game's own module is
# heard and its proof kept; modules that render far slower than real time or make
# the library divide by zero are refused by the proof, and, played anyway, are
# stopped by the music worker; either way the game quits on Escape at once.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/crafted.sh"
e2e_setup "$1"
MODULE="$WORK/data/music/possibilities.it"
cp "$MODULE" "$WORK/possibilities.good"

S0=$(it_sample "$MODULE" 0)
S1=$(it_sample "$MODULE" 1)
P0=$(it_pattern "$MODULE" 0)

# pattern0 BYTE...: pattern 0's packed rows replaced (they fit in its old place).
pattern0() {
    poke16 "$MODULE" "$P0" $#
    poke "$MODULE" $((P0 + 8)) "$@"
}
# 64 rows: the given events on rows 0..3, then empty rows.
empty_rows() { local i; for i in $(seq "$1"); do printf '0 '; done; }

spoil() {
    cp "$WORK/possibilities.good" "$MODULE"
    case $1 in
    tempo0) poke "$MODULE" 51 0 ;;
    c5zero) poke32 "$MODULE" $((S0 + 60)) 0 ;;
    compressed-stereo) poke "$MODULE" $((S0 + 18)) $(( $(u8 "$MODULE" $((S0 + 18))) | 12 )) ;;
    c5max) poke32 "$MODULE" $((S1 + 60)) 4294967295 ;;
    nested-loops) # SB0 on channels 1 and 2, then SBF on each: loops inside loops
        pattern0 129 8 19 176 0  130 8 19 176 0  130 8 19 191 0  129 8 19 191 0 $(empty_rows 60) ;;
    length) poke32 "$MODULE" $((S0 + 48)) 1073741824 ;;
    pattern-length) poke16 "$MODULE" "$P0" 65535 ;;
    two-events) pattern0 129 8 19 176  129 8 1 6 0 $(empty_rows 63) ;;
    esac
}

for how in tempo0 c5zero compressed-stereo c5max nested-loops length pattern-length two-events; do
    note "possibilities.it: $how"
    spoil $how
    printf '1\n0\n0\n1\n0\n0\n0\n0\n' > "$WORK/data/profile.dat"
    chmod a-w "$WORK"
    (cd "$WORK" && exec ./karvelle --trace >"$WORK/stdout.log" 2>"$WORK/stderr.log") &
    GAME_PID=$!
    TRACE_POS=0
    wait_trace "mode EventScreen" 2
    sleep 0.5
    kill -TERM "$GAME_PID"
    wait_exit 3 || fail "$how: SIGTERM did not end the game"
    chmod u+w "$WORK"
    [ "$GAME_STATUS" = 0 ] || fail "$how: exit code $GAME_STATUS"
    # Nested loops are a sound module: it plays, with nothing to say.
    expected=1
    [ "$how" = nested-loops ] && expected=0
    lines=$(grep -c "possibilities.it" "$WORK/stderr.log")
    [ "$lines" = $expected ] || fail "$how: $lines lines on stderr: $(grep -v ALSA "$WORK/stderr.log")"
    [ "$(profile_lines | tr -d '\n')" = 10010000 ] || fail "$how: profile damaged"
    [ -e "$WORK/dupentry.txt" ] && fail "$how: the library wrote dupentry.txt"
done

# The game's own module is proved once, in a child process, and heard: its
# verdict is kept under the player's data folder, named by the SHA-256 of its bytes.
cp "$WORK/possibilities.good" "$MODULE"
PROOFS="$XDG_DATA_HOME/karvelle/module-proofs"
export HOME="$WORK/home"
mkdir -p "$HOME"
printf 'pcm.!default { type file; slave.pcm "null"; file "%s"; format "raw" }\n' "$WORK/music.raw" > "$HOME/.asoundrc"
start_game --trace
wait_trace "mode EventScreen" 5
sleep 2
from=$(stat -c %s "$WORK/music.raw")
sleep 1
to=$(stat -c %s "$WORK/music.raw")
quit_game
rms=$(tail -c +$((from / 4 * 4 + 1)) "$WORK/music.raw" | head -c $(((to - from) / 4 * 4)) |
    sox -t raw -r 44100 -e unsigned -b 16 -c 2 - -n stat 2>&1 | awk '/RMS +amplitude/ { print $3 }')
note "music RMS on the title: $rms"
awk -v r="${rms:-0}" 'BEGIN { exit !(r > 0.01) }' || fail "the music is not heard on the title (RMS $rms)"
hash=$(sha256sum "$MODULE" | cut -d' ' -f1)
[ "$(cat "$PROOFS/$hash" 2>/dev/null)" = proven ] || fail "no proof kept for possibilities.it: $(ls "$PROOFS" 2>&1)"
grep -v '^ALSA' "$WORK/stderr.log" | grep -q . && fail "stderr: $(cat "$WORK/stderr.log")"

# quits_within SECONDS WHAT: Escape on the title ends the game in time, status 0.
quits_within() {
    xdotool keydown Escape
    wait_exit "$1" || fail "$2: Escape did not end the game within $1 s"
    xdotool keyup Escape
    [ "$GAME_STATUS" = 0 ] || fail "$2: exit code $GAME_STATUS"
}
# wait_stderr REGEX SECONDS: waits for a line on stderr.
wait_stderr() {
    local waited=0
    until grep -qE "$1" "$WORK/stderr.log"; do
        sleep 0.1
        waited=$((waited + 1))
        [ $waited -ge $(($2 * 10)) ] && fail "no '$1' on stderr within $2 s: $(cat "$WORK/stderr.log")"
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended: $(cat "$WORK/stderr.log")"
    done
}

# Modules the library renders far slower than real time (64 channels of B-9 at
# a C5 speed of 2,000,000 on a loop of two frames; 64 channels sliding up by
# F DF on that loop; one channel doing both), and one that makes it divide by
# zero (an 8-bit loop at C5 speed 256 sliding down from C-0). The proof refuses
# each with one line naming the file, and the game quits on Escape at once.
CRAFT="$(dirname "$0")/craft_module.py"
for how in high-loop slides64 slide1 fpe; do
    note "possibilities.it: $how"
    "$PYTHON" "$CRAFT" "$how" "$WORK/possibilities.good" "$MODULE" || fail "cannot craft $how"
    start_game --trace
    wait_trace "mode EventScreen" 5
    wait_stderr "possibilities.it is refused" 30
    quits_within 3 "$how"
    lines=$(grep -c "possibilities.it" "$WORK/stderr.log")
    [ "$lines" = 1 ] || fail "$how: $lines lines on stderr: $(grep -v ALSA "$WORK/stderr.log")"
done

# The same modules with a verdict "proven" planted in the cache, so they reach
# the music worker, playing to the file device: it falls behind or faults, the
# music stops with one line, and the game goes on and quits on Escape at once.
for how in high-loop slides64 slide1 fpe; do
    note "possibilities.it: $how, played"
    "$PYTHON" "$CRAFT" "$how" "$WORK/possibilities.good" "$MODULE" || fail "cannot craft $how"
    echo proven > "$PROOFS/$(sha256sum "$MODULE" | cut -d' ' -f1)"
    start_game --trace
    wait_trace "mode EventScreen" 5
    wait_stderr "possibilities.it (cannot keep up|makes the library fault)" 30
    sleep 0.5
    quits_within 3 "$how, played"
    lines=$(grep -c "possibilities.it" "$WORK/stderr.log")
    [ "$lines" = 1 ] || fail "$how, played: $lines lines on stderr: $(grep -v ALSA "$WORK/stderr.log")"
done
echo "crafted music: ok"

#!/bin/bash
# Crafted music modules, each one field of possibilities.it changed: a tempo or
# a C5 speed of 0 (division by zero), compressed stereo samples (the library
# calls exit), a C5 speed of 0xFFFFFFFF and nested pattern loops (no first frame),
# a sample length of 0x40000000 (gigabytes), a pattern length of 0xFFFF and two
# events in one channel row (the library's debug file in the working folder).
# Each: the first frame within two seconds, one line on stderr naming the file,
# silence (the nested loops play), SIGTERM ends the game with status 0, the
# profile and the read-only working folder kept.
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
echo "crafted music: ok"

#!/bin/bash
# profile.dat in unusual shapes: a FIFO (the game froze before its first frame),
# a link (updated at its target), a read-only file (left as it is), a link
# planted where the temporary file once went (never followed), and a profile
# another copy of the game saved while this one ran (its endings kept, unless
# this run cleared the endings with N).
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"
PROFILE="$WORK/data/profile.dat"

# run_and_quit [n]: first page within 3 s; with "n", a fresh N clears the endings
# on the continue prompt; Escape then ends the game with status 0.
run_and_quit() {
    start_game --trace
    wait_trace "mode EventScreen, page (0|40)," 3
    if [ "${1:-}" = n ]; then
        sleep 0.3
        tap n
        wait_trace "mode EventScreen, page 0," 3
    fi
    sleep 0.2
    quit_game
}

note "a FIFO"
rm -f "$PROFILE"; mkfifo "$PROFILE"
run_and_quit
[ -p "$PROFILE" ] || fail "the FIFO was replaced"
[ "$(grep -c profile.dat "$WORK/stderr.log")" = 1 ] || fail "not one line about the FIFO: $(cat "$WORK/stderr.log")"
rm -f "$PROFILE"

note "a link to the profile"
mkdir -p "$WORK/saves"
printf '0\n1\n0\n0\n0\n0\n0\n0\n' > "$WORK/saves/mine.dat"
ln -s ../saves/mine.dat "$PROFILE"
run_and_quit n
[ -L "$PROFILE" ] || fail "the link was replaced by a file"
[ "$(tr -d '\n' < "$WORK/saves/mine.dat")" = 00000000 ] || fail "the target was not updated: $(cat "$WORK/saves/mine.dat")"
rm -f "$PROFILE"

note "a read-only profile"
printf '0\n1\n0\n0\n0\n0\n0\n0\n' > "$PROFILE"
chmod 0444 "$PROFILE"
run_and_quit n
[ "$(profile_lines | tr -d '\n')" = 01000000 ] || fail "the read-only profile changed"
[ "$(grep -c "read-only" "$WORK/stderr.log")" = 1 ] || fail "not one line about the read-only profile: $(cat "$WORK/stderr.log")"
chmod 0644 "$PROFILE"

note "a link planted at profile.dat.tmp"
echo "precious" > "$WORK/precious"
ln -s "$WORK/precious" "$PROFILE.tmp"
printf '0\n1\n0\n0\n0\n0\n0\n0\n' > "$PROFILE"
run_and_quit n
[ "$(cat "$WORK/precious")" = precious ] || fail "the planted link's target was written"
[ "$(profile_lines | tr -d '\n')" = 00000000 ] || fail "profile not written: $(profile_lines | tr -d '\n')"
[ "$(ls "$WORK/data" | grep -c '^profile.dat')" = 2 ] || fail "files left beside the profile: $(ls "$WORK/data")"
rm -f "$PROFILE.tmp"

note "another copy saves ending 5 while this one runs"
printf '1\n0\n0\n0\n0\n0\n0\n0\n' > "$PROFILE"
start_game --trace
wait_trace "mode EventScreen, page 40," 3
printf '1\n0\n0\n0\n1\n0\n0\n0\n' > "$PROFILE"
sleep 0.2
quit_game
[ "$(profile_lines | tr -d '\n')" = 10001000 ] || fail "the other copy's ending was lost: $(profile_lines | tr -d '\n')"

note "... and after N in this run, the clearing wins"
start_game --trace
wait_trace "mode EventScreen, page 40," 3
sleep 0.3
tap n
wait_trace "mode EventScreen, page 0," 3
printf '1\n0\n0\n0\n1\n1\n0\n0\n' > "$PROFILE"
sleep 0.2
quit_game
[ "$(profile_lines | tr -d '\n')" = 00000000 ] || fail "N's clearing lost: $(profile_lines | tr -d '\n')"
echo "crafted profile: ok"

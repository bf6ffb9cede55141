#!/bin/bash
# SIGTERM ends the game in order in every mode: on the title, a dialogue page
# and walking with the profile written, the long interlude before "The End" (of
# a warped run) with the profile left alone; Escape ends "The End". A read-only data
# folder, a profile that is a directory and a config.ini of garbage or a huge
# value: the game still runs, and the old profile is never damaged.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"

term_and_check() {  # term_and_check EXPECTED-PROFILE
    kill -TERM "$GAME_PID"
    wait_exit 2 || fail "SIGTERM did not end the game"
    [ "$GAME_STATUS" = 0 ] || fail "exit code $GAME_STATUS after SIGTERM"
    [ "$(profile_lines | tr -d '\n')" = "$1" ] || fail "profile after SIGTERM: $(profile_lines | tr -d '\n'), expected $1"
}

note "SIGTERM on the title page"
printf '0\n1\n0\n0\n0\n0\n0\n0\n' > "$WORK/data/profile.dat"
start_game --trace
wait_trace "mode EventScreen, page 40," 10
term_and_check 01000000

note "SIGTERM on a dialogue page and walking"
start_game --trace
begin_game
xdotool keydown Right
wait_trace "mode EventScreen, page 1," 30
term_and_check 01000000
start_game --trace
begin_game
xdotool keydown Right
sleep 0.5
term_and_check 01000000
xdotool keyup Right

note "SIGTERM in the interlude before \"The End\"; Escape on \"The End\""
# Warped to the last room, whose runs leave the profile alone: the endings on disk
# stay. (SIGTERM on "The End" of a walk that saves: test_playthrough.sh.)
for mode in Interlude TheEnd; do
    printf '1\n1\n1\n1\n1\n1\n1\n0\n' > "$WORK/data/profile.dat"
    start_game --trace --warp 72
    wait_trace "mode Play, page 0, room 72" 10
    xdotool keydown Right
    wait_trace "page -10," 30
    wait_trace "mode $mode," 30
    xdotool keyup Right
    sleep 0.5
    if [ $mode = Interlude ]; then term_and_check 11111110; else quit_game; fi
    expect_profile 11111110
done

note "a read-only data folder"
printf '0\n0\n1\n0\n0\n0\n0\n0\n' > "$WORK/data/profile.dat"
chmod a-w "$WORK/data"
start_game --trace
begin_game
xdotool keydown Escape; sleep 0.2; xdotool keyup Escape
wait_trace "mode EventScreen, page 0," 5
quit_game
chmod u+w "$WORK/data"
[ "$(profile_lines | tr -d '\n')" = "00100000" ] || fail "profile changed in a read-only folder"

note "a profile that is a directory"
rm -f "$WORK/data/profile.dat"
mkdir "$WORK/data/profile.dat"
touch "$WORK/data/profile.dat/keep"
start_game --trace
wait_trace "mode EventScreen, page 0," 5
quit_game
[ -f "$WORK/data/profile.dat/keep" ] || fail "the profile directory was replaced"
grep -q "profile.dat" "$WORK/stderr.log" || fail "no word on stderr about the profile that could not be saved"
rm -rf "$WORK/data/profile.dat"

for config in 'garbage \x01\xff[[[' '[graphics]\nfullscreen = 99999999999999999999999\n' '[graphics]\nfullscreen = banana\n'; do
    note "config.ini: $config"
    printf "$config" > "$WORK/config.ini"
    printf '1\n0\n0\n0\n0\n0\n0\n1\n' > "$WORK/data/profile.dat"
    start_game --trace
    wait_trace "mode EventScreen, page 40," 10
    quit_game
    [ "$(profile_lines | tr -d '\n')" = "10000001" ] || fail "profile damaged with config $config"
done

# start_streams REDIRECTIONS...: the game with --trace and its streams as given.
start_streams() {
    TRACE_POS=0
    (cd "$WORK" && eval "exec ./karvelle --window --trace $*") &
    GAME_PID=$!
    WID=$(timeout 10 xdotool search --sync --name '^Karvelle$' | head -n1)
    [ -n "$WID" ] || fail "no window with $*"
    xdotool windowfocus "$WID" >/dev/null 2>&1 || true
    sleep 1.5
}
escape_quits() {  # escape_quits WHAT: Escape ends the game, status 0, profile saved
    xdotool keydown Escape
    wait_exit 3 || fail "Escape did not end the game with $1"
    xdotool keyup Escape
    [ "$GAME_STATUS" = 0 ] || fail "exit code $GAME_STATUS with $1"
    [ "$(profile_lines | tr -d '\n')" = "10000001" ] || fail "profile lost with $1"
}
note "stderr closed with a warning to give, stdout closed with --trace"
printf '[graphics]\nfullscreen = 0\nscale = banana\n' > "$WORK/config.ini"
start_streams '2>&-' ">$WORK/stdout.log"
wait_trace "mode EventScreen, page 40," 5
escape_quits "stderr closed"
start_streams '>&-' '<&-'
tap space
escape_quits "stdout and stdin closed"
note "the trace's reader gone"
rm -f "$WORK/trace.fifo"; mkfifo "$WORK/trace.fifo"
head -n1 "$WORK/trace.fifo" >/dev/null &
start_streams ">$WORK/trace.fifo" "2>$WORK/stderr.log"
tap space
sleep 0.5
kill -0 "$GAME_PID" 2>/dev/null || fail "the game died when its trace had no reader"
escape_quits "the trace's reader gone"
echo "signals and set-up: ok"

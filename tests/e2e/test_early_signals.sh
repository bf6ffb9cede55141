#!/bin/bash
# SIGTERM 30 to 50 ms after launch, while Allegro sets up its keyboard, once
# aborted the game with a core dump in Allegro's own handler. The quit signals
# are now held back until the game's handlers are in place: every try ends in
# order (status 0, no frame needed) and the profile is kept.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"
printf '0\n1\n1\n0\n0\n0\n0\n0\n' > "$WORK/data/profile.dat"
ulimit -c 0

for try in $(seq 16); do
    delay=$(printf '0.%03d' $((30 + (try * 20) / 16)))
    (cd "$WORK" && exec ./karvelle >"$WORK/stdout.log" 2>"$WORK/stderr.log") &
    GAME_PID=$!
    sleep "$delay"
    kill -TERM "$GAME_PID"
    wait_exit 5 || fail "try $try ($delay s): the game did not end"
    # 143 is a SIGTERM that came before the game's first instruction, which
    # loses nothing; an abort (134) or any other end is a fault.
    case $GAME_STATUS in
    0 | 143) ;;
    *) fail "try $try ($delay s): exit status $GAME_STATUS: $(grep -v ALSA "$WORK/stderr.log")" ;;
    esac
    [ "$(profile_lines | tr -d '\n')" = 01100000 ] || fail "try $try: profile damaged"
    ls "$WORK/data" | grep -q "profile.dat\." && fail "try $try: a temporary profile was left"
done
echo "early signals: ok"

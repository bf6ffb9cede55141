#!/bin/bash
# config.ini that Allegro's parser must not see: ten bytes that spun it for ever
# before any window, a FIFO, a folder and a file over 64 KB. Each is ignored with
# one line on stderr, the defaults are used, the first frame comes at once and
# Escape ends the game with the profile kept.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"

for how in hang-bytes fifo folder large; do
    note "config.ini: $how"
    rm -rf "$WORK/config.ini"
    case $how in
    hang-bytes) printf '\xf5[{\xea\xfd\x80\x9a\x9a\x9e\x92' > "$WORK/config.ini" ;;
    fifo) mkfifo "$WORK/config.ini" ;;
    folder) mkdir "$WORK/config.ini" ;;
    large) { printf '[graphics]\nfullscreen = 0\n'; head -c 70000 /dev/zero | tr '\0' ';'; } > "$WORK/config.ini" ;;
    esac
    printf '0\n0\n0\n0\n0\n0\n1\n0\n' > "$WORK/data/profile.dat"
    (cd "$WORK" && exec ./karvelle --trace >"$WORK/stdout.log" 2>"$WORK/stderr.log") &
    GAME_PID=$!
    TRACE_POS=0
    wait_trace "mode EventScreen, page 40," 3
    WID=$(timeout 5 xdotool search --sync --name '^Karvelle$' | head -n1)
    xdotool mousemove --window "$WID" 320 240
    xdotool windowfocus "$WID" 2>/dev/null
    sleep 0.3
    quit_game
    lines=$(grep -c "config.ini" "$WORK/stderr.log")
    [ "$lines" = 1 ] || fail "$how: $lines lines on stderr about config.ini"
    [ "$(profile_lines | tr -d '\n')" = 00000010 ] || fail "$how: profile damaged"
done
rm -rf "$WORK/config.ini"
echo "crafted config: ok"

#!/bin/bash
# Every data file in turn missing, empty and truncated. Pictures and the font give
# a message box naming the file and an orderly stop that keeps the profile; music
# and sounds leave the game silent with one line on stderr naming the file.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"
PROFILE='1\n0\n1\n0\n0\n0\n0\n0\n'
PRISTINE="$WORK/pristine"
cp -r "$WORK/data" "$PRISTINE"

spoil() {  # spoil HOW FILE
    rm -rf "$WORK/data"
    cp -r "$PRISTINE" "$WORK/data"
    printf "$PROFILE" > "$WORK/data/profile.dat"
    local f="$WORK/data/$2"
    case $1 in
    missing) rm -f "$f" ;;
    empty) : > "$f" ;;
    truncated) truncate -s $(( $(stat -c %s "$f") / 2 )) "$f" ;;
    esac
}

# The message box: xmessage, started by the game, shows the text it was given.
expect_message() {
    local text=$1 box="" waited=0
    while [ -z "$box" ]; do
        box=$(pgrep -a -P "$GAME_PID" xmessage)
        sleep 0.1
        waited=$((waited + 1))
        [ $waited -gt 100 ] && fail "no message box for '$text'"
    done
    echo "$box" | grep -qF "$text" || fail "message box says: $box"
    local wid
    wid=$(timeout 5 xdotool search --sync --class Xmessage | head -n1)
    [ -n "$wid" ] && xdotool windowfocus "$wid" key Return 2>/dev/null
    sleep 0.3
    pkill -P "$GAME_PID" xmessage 2>/dev/null
    wait_exit 5 || fail "the game did not stop after '$text'"
    [ "$GAME_STATUS" = 0 ] || fail "exit code $GAME_STATUS after '$text'"
    [ "$(profile_lines | tr -d '\n')" = "10100000" ] || fail "profile damaged after '$text': $(profile_lines)"
}

launch() {
    (cd "$WORK" && exec ./karvelle --trace >"$WORK/stdout.log" 2>"$WORK/stderr.log") &
    GAME_PID=$!
    TRACE_POS=0
}

for file in graphics/screens/scene1.pcx graphics/spritesheet.pcx graphics/font.ttf; do
    for how in missing empty truncated; do
        note "$file $how"
        spoil $how $file
        launch
        expect_message "Cannot load data/$file"
    done
done

note "a scene that goes missing while the game runs"
spoil missing graphics/screens/scene2.pcx
launch
WID=$(timeout 10 xdotool search --sync --name '^Karvelle$' | head -n1)
xdotool mousemove --window "$WID" 320 240
begin_game
xdotool keydown Right
expect_page 1
expect_message "Cannot load data/graphics/screens/scene2.pcx"
xdotool keyup Right

for file in music/possibilities.it music/impossibilities.it sound/destroy.wav sound/dragon.wav sound/war1.wav sound/war2.wav; do
    for how in missing empty truncated; do
        note "$file $how"
        spoil $how $file
        launch
        wait_trace "mode EventScreen" 10
        sleep 0.3
        kill -TERM "$GAME_PID"
        wait_exit 3 || fail "the game did not end on SIGTERM"
        [ "$GAME_STATUS" = 0 ] || fail "exit code $GAME_STATUS with $file $how"
        lines=$(grep -c "$file" "$WORK/stderr.log")
        [ "$lines" = 1 ] || fail "$file $how: $lines lines on stderr: $(cat "$WORK/stderr.log")"
        [ "$(profile_lines | tr -d '\n')" = "10100000" ] || fail "profile damaged with $file $how"
    done
done
echo "bad data: ok"

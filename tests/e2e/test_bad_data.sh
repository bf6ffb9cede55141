#!/bin/bash
# Every data file in turn missing, empty, truncated and a FIFO (which a blocking
# open would wait on for ever), and pictures and the font a folder or a link to
# itself. Pictures and the font give a message box naming the file and an
# orderly stop that keeps the profile, with exit status 1; music and sounds leave
# the game silent with one line on stderr naming the file, as do sound effects
# with no frames or a rate out of range. A picture flipping between itself and a
# FIFO while the game starts is either read whole or refused, never waited on.
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
    fifo) rm -f "$f"; mkfifo "$f" ;;
    folder) rm -f "$f"; mkdir "$f" ;;
    loop) rm -f "$f"; ln -s "$(basename "$f")" "$f" ;;
    no-frames | size-ffffffff | rate0 | rate1 | rate-2g) wav_spoil "$1" "$f" ;;
    esac
}

# wav_spoil HOW FILE: a field of a PCM WAV changed in place: its data chunk
# emptied (or its size set to 0xFFFFFFFF), or its rate set to 0, 1 or 2^31.
wav_spoil() {
    "$PYTHON" - "$1" "$2" <<'PY'
import struct, sys
how, path = sys.argv[1], sys.argv[2]
b = bytearray(open(path, 'rb').read())
at = 12
while at + 8 <= len(b):
    name, size = b[at:at + 4], struct.unpack_from('<I', b, at + 4)[0]
    if name == b'fmt ' and how.startswith('rate'):
        struct.pack_into('<I', b, at + 12, {'rate0': 0, 'rate1': 1, 'rate-2g': 2**31}[how])
    if name == b'data':
        if how == 'no-frames':
            del b[at + 8:]
            struct.pack_into('<I', b, at + 4, 0)
            struct.pack_into('<I', b, 4, len(b) - 8)
        elif how == 'size-ffffffff':
            struct.pack_into('<I', b, at + 4, 0xFFFFFFFF)
        break
    at += 8 + size + (size & 1)
open(path, 'wb').write(b)
PY
}

# The message box: xmessage, started by the game, shows the text it was given.
expect_message() {
    local text=$1 box="" waited=0
    while [ -z "$box" ]; do
        box=$(box_line)
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
    # A picture or the font the game cannot run without is a failure.
    [ "$GAME_STATUS" = 1 ] || fail "exit code $GAME_STATUS after '$text'"
    [ "$(profile_lines | tr -d '\n')" = "10100000" ] || fail "profile damaged after '$text': $(profile_lines)"
}

launch() {
    (cd "$WORK" && exec ./karvelle --trace >"$WORK/stdout.log" 2>"$WORK/stderr.log") &
    GAME_PID=$!
    TRACE_POS=0
}

for file in graphics/screens/scene1.pcx graphics/spritesheet.pcx graphics/font.ttf; do
    for how in missing empty truncated fifo folder loop; do
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
    hows="missing empty truncated fifo"
    case $file in
    sound/destroy.wav) hows="$hows no-frames size-ffffffff rate0 rate1 rate-2g" ;;
    sound/*) hows="$hows no-frames" ;;
    esac
    for how in $hows; do
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
note "the first scene flipping between the picture and a FIFO"
spoil truncated graphics/screens/scene1.pcx
scene="$WORK/data/graphics/screens/scene1.pcx"
cp "$PRISTINE/graphics/screens/scene1.pcx" "$WORK/scene1.real"
# The picture and a FIFO take turns at its name, each put there whole (a link
# renamed over it), each for half a millisecond or so.
"$PYTHON" - "$WORK/scene1.real" "$scene" <<'PY' &
import os, sys, time
real, scene = sys.argv[1], sys.argv[2]
fifo, new = scene + ".fifo", scene + ".new"
os.mkfifo(fifo)
while True:
    for source in (real, fifo):
        if os.path.lexists(new):
            os.unlink(new)
        os.link(source, new)
        os.rename(new, scene)
        time.sleep(0.0005)
PY
FLIPPER=$!
at_exit 'kill $FLIPPER 2>/dev/null'
ran=0 refused=0
for round in $(seq 15); do
    launch
    # Either the title (the picture was read whole) or the message box naming it.
    waited=0
    while :; do
        if grep -q "mode EventScreen" "$WORK/stdout.log" 2>/dev/null; then
            ran=$((ran + 1))
            kill -TERM "$GAME_PID"
            wait_exit 5 || fail "round $round: SIGTERM did not end the game"
            break
        fi
        if pgrep -P "$GAME_PID" xmessage >/dev/null; then
            refused=$((refused + 1))
            expect_message "Cannot load data/graphics/screens/scene1.pcx"
            break
        fi
        sleep 0.1
        waited=$((waited + 1))
        [ $waited -gt 150 ] && fail "round $round: neither the title nor a message within 15 s"
    done
done
kill $FLIPPER
wait $FLIPPER 2>/dev/null
note "flipping scene: $ran started, $refused refused"
echo "bad data: ok"

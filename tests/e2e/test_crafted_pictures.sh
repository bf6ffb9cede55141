#!/bin/bash
# Crafted PCX headers: sides of 65536 that overflowed Allegro's reader, a
# 1.3 KB file saying 12000x12000 that took seconds and a gigabyte, and a sound
# 4096x4096 picture, far larger than a scene. Each gives the message box naming
# the file quickly and an orderly stop, the profile kept.
# (Met mid-walk after endings found in the same run: test_playthrough.sh.)
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/crafted.sh"
e2e_setup "$1"
SCENES="$WORK/data/graphics/screens"
cp "$SCENES/scene1.pcx" "$WORK/scene1.good"

launch() {
    (cd "$WORK" && exec ./karvelle --trace >"$WORK/stdout.log" 2>"$WORK/stderr.log") &
    GAME_PID=$!
    TRACE_POS=0
}

# Each file's runs describe exactly as many bytes as its header asks for, with
# the palette right after them.
for case in "65536 65536 1 65536" "65536 21846 1 21846" "12000 12000 1 12000"; do
    note "scene1.pcx: $case"
    pcx "$SCENES/scene1.pcx" $case
    printf '0\n1\n0\n0\n0\n0\n0\n0\n' > "$WORK/data/profile.dat"
    launch
    expect_box "Cannot load data/graphics/screens/scene1.pcx" 3 1
    [ "$(profile_lines | tr -d '\n')" = 01000000 ] || fail "profile damaged: $(profile_lines | tr -d '\n')"
done

note "scene1.pcx: 4096x4096 in three planes, a good file but far larger than a scene"
pcx "$SCENES/scene1.pcx" 4096 4096 4096 $((4096 * 4096 * 3))
poke "$SCENES/scene1.pcx" 65 3
launch
expect_box "Cannot load data/graphics/screens/scene1.pcx" 3 1
grep -q "scene1.pcx is 4096x4096 pixels; the game's pictures are at most 640x480" "$WORK/stderr.log" ||
    fail "the limit is not named: $(cat "$WORK/stderr.log")"
cp "$WORK/scene1.good" "$SCENES/scene1.pcx"

echo "crafted pictures: ok"

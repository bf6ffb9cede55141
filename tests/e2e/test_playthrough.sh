#!/bin/bash
# All eight endings, each path's rooms walked once. From an empty profile one
# run walks path 1 (up at every fork) and then path 7 (straight on home), each
# ending on disk the moment it is recorded; a picture that cannot be read, met
# in room 1 after those endings, stops the game in order with them kept. Runs
# warped to the forks walk paths 2 to 6 (the roar in the cave of path 6 shown
# as a caption), never touching the profile. Then, from endings 1 to 7, the
# last path from room 61 to "The End", where SIGTERM ends the game with all
# eight saved.
. "$(dirname "$0")/lib.sh"
. "$(dirname "$0")/crafted.sh"
e2e_setup "$1"
SCENES="$WORK/data/graphics/screens"

note "path 1, then path 7, in one run"
start_game --trace
walk_path 1
expect_words title "one path out of eight"
expect_profile 10000000
saved_when_recorded() {
    sleep 0.3
    [ "$(profile_lines | tr -d '\n')" = 10000010 ] || fail "ending 7 not saved when recorded: $(profile_lines | tr -d '\n')"
}
AT_ENDING=saved_when_recorded walk_path 7 begun

note "scene2.pcx of 65536x65536, met in room 1 after the endings of this run"
cp "$SCENES/scene2.pcx" "$WORK/scene2.good"
pcx "$SCENES/scene2.pcx" 65536 65536 1 65536
sleep 0.2
tap space
wait_trace "mode Play," 10
xdotool keydown Right
expect_page 1
expect_box "Cannot load data/graphics/screens/scene2.pcx" 30 1
release_all
expect_profile 10000010
cp "$WORK/scene2.good" "$SCENES/scene2.pcx"

the_roar() {
    wait_trace "caption \[a great roar\]$" 2
    xdotool keyup Right keyup Up
    sleep 0.2
    words=$(foot_words "$(screenshot roar)")
    echo "$words" | grep -q "a great roar" || fail "room 58 does not show the roar's caption: $words"
    # The roar lasts two to three seconds; then its caption is gone.
    sleep 3.5
    words=$(foot_words "$(screenshot after_roar)")
    echo "$words" | grep -q "roar" && fail "the roar's caption outlasts it: $words"
}
saved=$(stat -c %y "$WORK/data/profile.dat")
for path in 2 3 4 5 6; do
    note "path $path, warped to its fork"
    if [ $path = 6 ]; then WARP_OPTIONS=--captions CAVE=the_roar warp_path 6; else warp_path $path; fi
    # Only this run's ending counts: the profile was not read...
    if [ $path = 2 ]; then expect_words title "one path out of eight"; fi
    quit_game
    # ... nor written.
    [ "$(stat -c %y "$WORK/data/profile.dat")" = "$saved" ] || fail "a warped run wrote the profile: $(profile_lines | tr -d '\n')"
done
ls "$WORK/data" | grep -q "profile.dat\." && fail "a temporary profile was left behind"

note "a room no walk reaches, or no room, is refused"
for warp in "--warp 39" "--warp 60" "--warp -1" "--warp 500" "--warp x" "--warp --paths" "--warp"; do
    # shellcheck disable=SC2086
    (cd "$WORK" && ./karvelle $warp >"$WORK/stdout.log" 2>"$WORK/stderr.log")
    status=$?
    [ "$status" = 2 ] || fail "$warp: exit code $status"
    grep -q '^Usage: karvelle' "$WORK/stderr.log" || fail "$warp: no usage line: $(cat "$WORK/stderr.log")"
done

note "path 8"
printf '1\n1\n1\n1\n1\n1\n1\n0\n' > "$WORK/data/profile.dat"
walk_last_path term
expect_profile 11111111
echo "all eight endings: ok"

#!/bin/bash
# Larger pictures on a 1920x1080 screen without mode switching: --scale 2 opens a
# 1280x960 window showing the scale-1 frame with every pixel a 2x2 block; the
# default configuration fills the screen at factor 2, centred between black bars;
# Alt+Enter back and forth five times leaves a working game with its picture;
# --scale auto fits the desktop, and a bad scale is named and gives scale 1;
# --scale 8 is lowered to the largest that fits, with one line; --scale followed
# by another option is refused with the usage line.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1" 1920x1080

# The painted scene above the player's head, from a picture enlarged FACTOR times.
scene_region() {  # scene_region FILE FACTOR OFFSET_X OFFSET_Y OUT
    convert "$1" -crop "$((640 * $2))x$((480 * $2))+$3+$4" +repage -sample "640x480!" \
        -crop 640x300+0+0 +repage "$5"
}

same_pixels() {  # same_pixels A B: how many pixels differ
    compare -metric AE "$1" "$2" null: 2>&1 | cut -d' ' -f1
}

# A picture made of FACTOR x FACTOR blocks survives shrinking and enlarging by point sampling.
blocks_differ() {  # blocks_differ FILE FACTOR W H X Y: how many pixels break the blocks
    convert "$1" -crop "$3x$4+$5+$6" +repage "$WORK/blocks_in.png"
    convert "$WORK/blocks_in.png" -sample "$((100 / $2))%" -sample "$((100 * $2))%" "$WORK/blocks_out.png"
    same_pixels "$WORK/blocks_in.png" "$WORK/blocks_out.png"
}
expect_blocks() {  # expect_blocks FILE FACTOR W H X Y
    local differ
    differ=$(blocks_differ "$@")
    [ "$differ" = 0 ] || fail "$1 is not made of ${2}x$2 blocks ($differ pixels differ)"
}

expect_black() {  # expect_black FILE GEOMETRY: that part of FILE is all black
    local brightest
    brightest=$(convert "$1" -crop "$2" +repage -format '%[max]' info:)
    [ "${brightest%.*}" = 0 ] || fail "$1 is not black in $2 (max $brightest)"
}

# Alt+Enter held long enough for a frame to see it.
toggle() {
    xdotool keydown alt keydown Return
    sleep 0.1
    xdotool keyup Return keyup alt
    sleep 0.6
    # No window manager here to give the re-opened window the focus.
    xdotool windowfocus "$WID" >/dev/null 2>&1 || true
}

# --- scale 1 in a window: the frame to compare with, then the toggle ---------------
walk_into_room1
scene_region "$(screenshot room1_scale1)" 1 0 0 "$WORK/ref.png"

for round in 1 2 3 4 5; do
    toggle
    shot=$(screenshot_root "fullscreen_$round")
    expect_black "$shot" 320x1080+0+0
    expect_black "$shot" 320x1080+1600+0
    expect_black "$shot" 1280x60+320+0
    expect_black "$shot" 1280x60+320+1020
    scene_region "$shot" 2 320 60 "$WORK/full_$round.png"
    differ=$(same_pixels "$WORK/ref.png" "$WORK/full_$round.png")
    [ "$differ" = 0 ] || fail "full-screen $round: the picture differs from the window's in $differ pixels"
    toggle
    geometry=$(xdotool getwindowgeometry "$WID" | sed -n 's/.*Geometry: //p')
    [ "$geometry" = "640x480" ] || fail "back from full-screen $round: window is $geometry"
    scene_region "$(screenshot "window_$round")" 1 0 0 "$WORK/window_$round.png"
    differ=$(same_pixels "$WORK/ref.png" "$WORK/window_$round.png")
    [ "$differ" = 0 ] || fail "window $round: the picture differs in $differ pixels"
done
note "five times to full-screen and back"
# Still a game: walking on reaches the next page.
xdotool keydown Right
expect_page 2 30
xdotool keyup Right
xdotool keydown Escape; sleep 0.2; xdotool keyup Escape
wait_trace "mode EventScreen, page 0," 5
quit_game

# --- --scale 2 in a window ---------------------------------------------------------
walk_into_room1 --scale 2
geometry=$(xdotool getwindowgeometry "$WID" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "1280x960" ] || fail "--scale 2 window is $geometry, not 1280x960"
shot=$(screenshot room1_scale2)
expect_blocks "$shot" 2 1280 960 0 0
scene_region "$shot" 2 0 0 "$WORK/scale2.png"
differ=$(same_pixels "$WORK/ref.png" "$WORK/scale2.png")
[ "$differ" = 0 ] || fail "--scale 2 shrunk by 2 differs from scale 1 in $differ pixels"
xdotool keydown Escape; sleep 0.2; xdotool keyup Escape
wait_trace "mode EventScreen, page 0," 5
quit_game

# --- auto in a window, and a scale that is no scale -------------------------------
start_game --scale auto --window
geometry=$(xdotool getwindowgeometry "$WID" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "1280x960" ] || fail "--scale auto on 1920x1080 opened $geometry, not 1280x960"
quit_game
start_game --scale 0
geometry=$(xdotool getwindowgeometry "$WID" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "640x480" ] || fail "--scale 0 opened $geometry, not 640x480"
grep -q 'scale "0" is not a whole number' "$WORK/stderr.log" || fail "no word about --scale 0: $(cat "$WORK/stderr.log")"
quit_game
start_game --scale 8 --window
geometry=$(xdotool getwindowgeometry "$WID" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "1280x960" ] || fail "--scale 8 on 1920x1080 opened $geometry, not 1280x960"
[ "$(grep -c 'scale 8 does not fit the 1920x1080 desktop; using 2' "$WORK/stderr.log")" = 1 ] ||
    fail "not one line about --scale 8: $(cat "$WORK/stderr.log")"
quit_game
(cd "$WORK" && ./karvelle --scale --paths >"$WORK/stdout.log" 2>"$WORK/stderr.log")
status=$?
[ "$status" = 2 ] || fail "--scale --paths: exit code $status"
grep -q '^Usage: karvelle' "$WORK/stderr.log" || fail "--scale --paths: no usage line: $(cat "$WORK/stderr.log")"
[ -s "$WORK/stdout.log" ] && fail "--scale --paths showed the paths: $(cat "$WORK/stdout.log")"

# --- the default configuration: full-screen ---------------------------------------
rm -f "$WORK/config.ini"
start_game --trace --frame-stats
wait_trace "mode EventScreen, page 0," 10
sleep 0.5
# The title pulses every frame, so a screenshot taken while X is sent the new
# frame's lines may hold two frames; a few tries give one whole frame.
for try in 1 2 3 4 5; do
    shot=$(screenshot_root title_fullscreen)
    [ "$(blocks_differ "$shot" 2 1280 960 320 60)" = 0 ] && break
    sleep 0.1
done
expect_black "$shot" 320x1080+0+0
expect_black "$shot" 320x1080+1600+0
expect_black "$shot" 1280x60+320+0
expect_black "$shot" 1280x60+320+1020
expect_blocks "$shot" 2 1280 960 320 60
corner=$(pixel "$shot" 320 60)
[ "$corner" != "0,0,0" ] || fail "nothing drawn at the picture's corner"
quit_game
grep -q '^frames .*, scale 2$' "$WORK/stdout.log" || fail "frame stats: $(grep '^frames' "$WORK/stdout.log")"
echo "scaling: ok"

#!/bin/bash
# The game opens a 640x480 window titled "Karvelle", of class karvelle/Karvelle
# with the game's icon; Escape, and separately
# SIGTERM, end it with exit code 0 within a second and leave the profile.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"

start_game
geometry=$(xdotool getwindowgeometry "$WID" | sed -n 's/.*Geometry: //p')
[ "$geometry" = "640x480" ] || fail "window is $geometry, not 640x480"

# The desktop matches the window to karvelle.desktop by its class, and shows
# the game's icon: the pixels of the 16 and 32 pixel desktop icons.
class=$(xprop -id "$WID" WM_CLASS)
[ "$class" = 'WM_CLASS(STRING) = "karvelle", "Karvelle"' ] || fail "the window's class: $class"
grep -qx "StartupWMClass=Karvelle" "$(dirname "$0")/../../dist/karvelle.desktop" || fail "the menu entry names another class"
argb() {  # argb PNG: "W, H, pixel, pixel, ..." as _NET_WM_ICON holds it
    convert "$1" -depth 8 rgba:- | od -An -v -tu1 |
        awk -v size="$(identify -format %w "$1")" 'BEGIN { printf "%d, %d", size, size }
            { for (i = 1; i <= NF; i++) { v[n++] = $i; if (n == 4) { printf ", %.0f", v[3] * 16777216 + v[0] * 65536 + v[1] * 256 + v[2]; n = 0 } } }'
}
expected="_NET_WM_ICON = $(argb "$BUILD_DIR/icons/karvelle-16.png"), $(argb "$BUILD_DIR/icons/karvelle-32.png")"
icon=$(xprop -id "$WID" -notype 32c _NET_WM_ICON | tr -d '\n\t')
[ "$icon" = "$expected" ] || fail "the window's icon is not the game's: ${icon:0:120}..."
xprop -id "$WID" WM_HINTS | grep -q "bitmap id # to use for icon" || fail "no icon in the window's WM_HINTS"
sleep 0.5
hold Escape; sleep 0.2; release Escape
wait_exit 1 || fail "Escape did not end the game within a second"
[ "$GAME_STATUS" = 0 ] || fail "exit code $GAME_STATUS after Escape"
[ "$(profile_lines | wc -l)" = 8 ] || fail "profile after Escape: $(profile_lines)"
# Without a sound card ALSA would fill stderr with its own lines while the game
# looks for one.
! grep -q "^ALSA lib" "$WORK/stderr.log" || fail "ALSA speaks on stderr: $(head -n 2 "$WORK/stderr.log")"

rm -f "$WORK/data/profile.dat"
start_game
kill -TERM "$GAME_PID"
wait_exit 1 || fail "SIGTERM did not end the game within a second"
[ "$GAME_STATUS" = 0 ] || fail "exit code $GAME_STATUS after SIGTERM"
[ "$(profile_lines | tr -d '\n')" = "00000000" ] || fail "profile after SIGTERM: $(profile_lines)"
echo "window, Escape and SIGTERM: ok"

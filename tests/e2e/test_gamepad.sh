#!/bin/bash
# The game by pad alone: a fake /dev/input/js0 (tests/e2e/fake_pad, loaded with
# LD_PRELOAD) is fed js_event records through a FIFO. Its A button starts the
# walk and turns the page, its stick walks into room 1, and Select gives the
# walk up. No key is pressed.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"
SHIM=$BUILD_DIR/tests/libkarvelle_fake_pad.so
[ -f "$SHIM" ] || fail "no $SHIM (cmake --build build --target karvelle_fake_pad)"

PAD=$WORK/pad
mkfifo "$PAD"
exec 7<>"$PAD"   # read and write: neither end waits for the other

# pad TYPE NUMBER VALUE: one js_event (time, value, type, number) into the pad.
pad() {
    local value=$(( $3 & 0xffff ))
    printf "$(printf '\\x00\\x00\\x00\\x00\\x%02x\\x%02x\\x%02x\\x%02x' $((value & 0xff)) $((value >> 8)) "$1" "$2")" >&7
}
button() { pad 1 "$1" "$2"; }   # button NUMBER 1|0
axis() { pad 2 "$1" "$2"; }     # axis NUMBER VALUE (-32767..32767)
press_button() { button "$1" 1; sleep 0.1; button "$1" 0; sleep 0.05; }

rm -f "$WORK/data/profile.dat"
LD_PRELOAD=$SHIM KARVELLE_FAKE_PAD=$PAD start_game --trace
wait_trace "mode EventScreen, page 0," 10
sleep 0.3

note "A on the title starts the walk"
press_button 0
wait_trace "mode Play," 10

note "the stick held right walks to the first page; A turns it; on into room 1"
axis 0 32767
wait_trace "mode EventScreen, page 1," 30
sleep 0.1
press_button 0
wait_trace "mode Play, page 1, room 0" 5
wait_trace "room 1$" 30
axis 0 0
sleep 0.3

note "Select gives the walk up"
press_button 6
wait_trace "mode Interlude," 5
quit_game
echo "gamepad: ok"

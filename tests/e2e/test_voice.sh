#!/bin/bash
# The voice can be heard without a sound card: ALSA's default device is pointed at
# a file in a private HOME. Page 1 is read aloud with --voice: the sound written
# while it is up holds much more energy in the speech band (300-3400 Hz) than the
# same page with the music alone. Then a whole path is walked with both modes
# switched on in config.ini.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"
command -v sox >/dev/null || fail "sox is needed"

export HOME="$WORK/home"
mkdir -p "$HOME"

# band_rms_of RAW FROM TO: the RMS level, in the speech band, of the sound the
# game wrote to RAW between two of its sizes (unsigned 16-bit stereo, 44.1 kHz).
band_rms_of() {
    tail -c +$(($2 / 4 * 4 + 1)) "$1" | head -c $((($3 - $2) / 4 * 4)) |
        sox -t raw -r 44100 -e unsigned -b 16 -c 2 - -n sinc 300-3400 stat 2>&1 | awk '/RMS +amplitude/ { print $3 }'
}

# speech_band_rms NAME [OPTIONS]: plays to page 1 and prints the RMS level, in
# the speech band, of the sound written in the second after the page opened.
speech_band_rms() {
    local name=$1 raw="$WORK/$1.raw"
    shift
    printf 'pcm.!default { type file; slave.pcm "null"; file "%s"; format "raw" }\n' "$raw" > "$HOME/.asoundrc"
    start_game --trace "$@"
    begin_game
    xdotool keydown Right
    wait_trace "mode EventScreen, page 1," 30
    xdotool keyup Right
    local from=$(stat -c %s "$raw")
    sleep 1
    local to=$(stat -c %s "$raw")
    quit_game
    [ $((to - from)) -gt 50000 ] || fail "$name: only $((to - from)) bytes of sound written on page 1"
    band_rms_of "$raw" $from $to
}

music=$(speech_band_rms music)
voice=$(speech_band_rms voice --voice)
note "speech band RMS on page 1: music alone $music, with the voice $voice"
[ -n "$music" ] && [ -n "$voice" ] || fail "no level measured"
awk -v m="$music" -v v="$voice" 'BEGIN { exit !(v > 1.5 * m && v > 0.01) }' ||
    fail "the voice is not heard on page 1 (speech band RMS $voice against $music with music alone)"
grep -v '^ALSA' "$WORK/stderr.log" | grep -q . && fail "stderr: $(cat "$WORK/stderr.log")"

# V on the title switches the voice on: "Voice on", then the title is read.
raw="$WORK/key.raw"
printf 'pcm.!default { type file; slave.pcm "null"; file "%s"; format "raw" }\n' "$raw" > "$HOME/.asoundrc"
start_game --trace
wait_trace "mode EventScreen, page 0," 10
sleep 0.5
a=$(stat -c %s "$raw"); sleep 1; b=$(stat -c %s "$raw")
tap v
sleep 1; c=$(stat -c %s "$raw")
quit_game
before=$(band_rms_of "$raw" $a $b)
after=$(band_rms_of "$raw" $b $c)
note "speech band RMS on the title: before V $before, after $after"
awk -v m="$before" -v v="$after" 'BEGIN { exit !(v > 1.5 * m) }' || fail "V did not start the voice ($after against $before)"

# With no sound device at all (no card, ALSA's default untouched) the voice says
# so once on stderr and the game plays on.
if ! grep -qs '^ *[0-9]' /proc/asound/cards; then
    rm -f "$HOME/.asoundrc"
    start_game --trace --voice
    wait_trace "mode EventScreen, page 0," 10
    tap v; tap v
    sleep 0.3
    quit_game
    [ "$(grep -v '^ALSA' "$WORK/stderr.log")" = "Karvelle: no sound device; the voice stays silent" ] ||
        fail "without sound, stderr: $(grep -v '^ALSA' "$WORK/stderr.log")"
fi

# Both modes from config.ini: the walk home to its ending, spoken and calm, with
# every page read and the ways up and down passed by.
printf 'pcm.!default { type file; slave.pcm "null"; file "%s"; format "raw" }\n' "$WORK/walk.raw" > "$HOME/.asoundrc"
printf '[graphics]\nfullscreen = 0\n[accessibility]\nvoice = 1\ncalm = 1\n' > "$WORK/config.ini"
walk_path 7
expect_profile 00000010
grep -v '^ALSA' "$WORK/stderr.log" | grep -q . && fail "stderr: $(cat "$WORK/stderr.log")"

echo "voice: ok"

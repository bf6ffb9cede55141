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
    from=$((from / 4 * 4)); to=$((to / 4 * 4))
    [ $((to - from)) -gt 50000 ] || fail "$name: only $((to - from)) bytes of sound written on page 1"
    tail -c +$((from + 1)) "$raw" | head -c $((to - from)) > "$WORK/$name.page1.raw"
    sox -t raw -r 44100 -e unsigned -b 16 -c 2 "$WORK/$name.page1.raw" -n sinc 300-3400 stat 2>&1 |
        awk '/RMS +amplitude/ { print $3 }'
}

music=$(speech_band_rms music)
voice=$(speech_band_rms voice --voice)
note "speech band RMS on page 1: music alone $music, with the voice $voice"
[ -n "$music" ] && [ -n "$voice" ] || fail "no level measured"
awk -v m="$music" -v v="$voice" 'BEGIN { exit !(v > 1.5 * m && v > 0.01) }' ||
    fail "the voice is not heard on page 1 (speech band RMS $voice against $music with music alone)"
grep -v '^ALSA' "$WORK/stderr.log" | grep -q . && fail "stderr: $(cat "$WORK/stderr.log")"

# Both modes from config.ini: the walk home to its ending, spoken and calm, with
# every page read and the ways up and down passed by.
printf '[graphics]\nfullscreen = 0\n[accessibility]\nvoice = 1\ncalm = 1\n' > "$WORK/config.ini"
walk_path 7
expect_profile 00000010
grep -v '^ALSA' "$WORK/stderr.log" | grep -q . && fail "stderr: $(cat "$WORK/stderr.log")"
[ "$(stat -c %s "$WORK/voice.raw")" -gt 0 ] || fail "nothing was heard"

echo "voice: ok"

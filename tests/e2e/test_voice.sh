#!/bin/bash
# The voice can be heard without a sound card: ALSA's default device is pointed at
# a file in a private HOME. First through a private speech-dispatcher, started by
# the game itself: the title is spoken into a device of its own, while the
# game's music, in another file, is lowered. Then with no speech-dispatcher to
# reach, through the espeak-ng program: page 1 read aloud with --voice holds much
# more energy in the speech band (300-3400 Hz) than the same page with the music
# alone. Then the desktop's screen reader turns the voice on, and a listener who
# acts only on what the trace says was spoken walks two paths.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"
command -v sox >/dev/null || fail "sox is needed"
command -v speech-dispatcher >/dev/null || fail "speech-dispatcher is needed"

export HOME="$WORK/home"
mkdir -p "$HOME"
export XDG_RUNTIME_DIR="$WORK/run"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"

# band_rms_of RAW FROM TO: the RMS level, in the speech band, of the sound the
# game wrote to RAW between two of its sizes (unsigned 16-bit stereo, 44.1 kHz).
band_rms_of() {
    tail -c +$(($2 / 4 * 4 + 1)) "$1" | head -c $((($3 - $2) / 4 * 4)) |
        sox -t raw -r 44100 -e unsigned -b 16 -c 2 - -n sinc 300-3400 stat 2>&1 | awk '/RMS +amplitude/ { print $3 }'
}

# speech_band_rms NAME [OPTIONS]: plays to page 1 and prints the RMS level, in
# the speech band, of the sound written in the second after the page opened
# (with --voice, after the next line's speech began: espeak-ng takes a while
# on a busy machine).
speech_band_rms() {
    local name=$1 raw="$WORK/$1.raw"
    shift
    printf 'pcm.!default { type file; slave.pcm "null"; file "%s"; format "raw" }\n' "$raw" > "$HOME/.asoundrc"
    start_game --trace "$@"
    begin_game
    xdotool keydown Right
    wait_trace "mode EventScreen, page 1," 30
    xdotool keyup Right
    case " $* " in *" --voice "*) wait_trace "voice: begins" 10 ;; esac
    local from=$(stat -c %s "$raw")
    sleep 1
    local to=$(stat -c %s "$raw")
    quit_game
    [ $((to - from)) -gt 50000 ] || fail "$name: only $((to - from)) bytes of sound written on page 1"
    band_rms_of "$raw" $from $to
}

# rms_of RAW FROM TO: the RMS level of the whole sound between two sizes.
rms_of() {
    tail -c +$(($2 / 4 * 4 + 1)) "$1" | head -c $((($3 - $2) / 4 * 4)) |
        sox -t raw -r 44100 -e unsigned -b 16 -c 2 - -n stat 2>&1 | awk '/RMS +amplitude/ { print $3 }'
}

# --- speech-dispatcher, private to this test ---------------------------------
note "speech-dispatcher"
# Its configuration is read from XDG_CONFIG_HOME, which e2e_setup made private.
mkdir -p "$XDG_CONFIG_HOME/speech-dispatcher"
cat > "$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<'CONF'
AudioOutputMethod "alsa"
AudioALSADevice "speech"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
CONF
game_raw="$WORK/sd-game.raw" speech_raw="$WORK/sd-speech.raw" speech_fifo="$WORK/sd-speech.fifo"
# ALSA's null device takes sound as fast as it comes, so the service would be done
# "speaking" at once. Its device is a pipe instead, emptied at the pace of real
# playback (22050 mono 16-bit samples a second) into a file, with a small pipe,
# so that the service's begin and end fall where a listener hears them.
mkfifo "$speech_fifo"
"$PYTHON" - "$speech_fifo" "$speech_raw" <<'PACE' &
import fcntl, os, sys, time
fifo, out = sys.argv[1], sys.argv[2]
with open(out, "wb", buffering=0) as sink:
    while True:
        fd = os.open(fifo, os.O_RDONLY)
        try:
            fcntl.fcntl(fd, 1031, 4096)  # F_SETPIPE_SZ: a tenth of a second at most waits in the pipe
        except OSError:
            pass
        start, taken = time.monotonic(), 0
        while True:
            chunk = os.read(fd, 2205)
            if not chunk:
                break
            sink.write(chunk)
            taken += len(chunk)
            ahead = taken / 44100.0 - (time.monotonic() - start)
            if ahead > 0:
                time.sleep(ahead)
        os.close(fd)
PACE
PACER_PID=$!
printf 'pcm.!default { type file; slave.pcm "null"; file "%s"; format "raw" }\npcm.speech { type file; slave.pcm "null"; file "%s"; format "raw" }\n' \
    "$game_raw" "$speech_fifo" > "$HOME/.asoundrc"
start_game --trace --voice
wait_trace "say: Press Space to Begin" 10
# The game's own output runs all along; the service's only while it speaks.
tries=0
while [ ! -s "$speech_raw" ] && [ $tries -lt 100 ]; do sleep 0.05; tries=$((tries + 1)); done
[ -s "$speech_raw" ] || fail "speech-dispatcher did not speak the title"
# The title's five lines take some four seconds; the music heard a second in,
# when what the mixer and the music's worker had made before the voice began
# has surely been played, is the music lowered.
sleep 1
g0=$(stat -c %s "$game_raw")
sleep 0.6
g1=$(stat -c %s "$game_raw")
# The title's last line ends (the service says when); then the music plays on
# at its own level.
wait_trace "voice: ends after .*: Press Space to Begin" 30
sleep 0.5
g2=$(stat -c %s "$game_raw")
sleep 0.6
g3=$(stat -c %s "$game_raw")
quit_game
# The service ends by itself a few seconds after its last client; the test does
# not wait for that, and ends the one it started (found by its private socket).
stop_service() {
    local pid tries
    for pid in $(pgrep -f -- "--socket-path $XDG_RUNTIME_DIR/speech-dispatcher/"); do
        kill "$pid" 2>/dev/null
        tries=0
        while kill -0 "$pid" 2>/dev/null && [ $tries -lt 20 ]; do sleep 0.1; tries=$((tries + 1)); done
        kill -9 "$pid" 2>/dev/null
    done
}
at_exit stop_service
stop_service
kill "$PACER_PID" 2>/dev/null
spoken=$(sox -t raw -r 22050 -e signed -b 16 -c 1 "$speech_raw" -n sinc 300-3400 stat 2>&1 | awk '/RMS +amplitude/ { print $3 }')
during=$(rms_of "$game_raw" "$g0" "$g1")
after=$(rms_of "$game_raw" "$g2" "$g3")
note "speech-dispatcher: speech band RMS $spoken; music RMS while it speaks $during, after $after"
awk -v s="$spoken" 'BEGIN { exit !(s > 0.02) }' || fail "the title was not heard from speech-dispatcher ($spoken)"
awk -v d="$during" -v a="$after" 'BEGIN { exit !(d < 0.6 * a && a > 0.005) }' ||
    fail "the music was not lowered while the title was spoken ($during against $after)"
grep -q '^say: Karvelle$' "$WORK/stdout.log" || fail "no say: line for the title"
grep -v '^ALSA' "$WORK/stderr.log" | grep -q . && fail "stderr: $(cat "$WORK/stderr.log")"

# Escape while the service is speaking still ends the game at once, the endings
# saved, even with a service that answers nothing at the end: here the system's
# own configuration, whose sound devices this machine does not have.
rm -f "$WORK/data/profile.dat" "$HOME/.asoundrc"
mv "$XDG_CONFIG_HOME/speech-dispatcher" "$XDG_CONFIG_HOME/speech-dispatcher.private"
start_game --trace --voice
wait_trace "say: Karvelle" 10
quit_game
[ -f "$WORK/data/profile.dat" ] || [ -f "$XDG_DATA_HOME/karvelle/profile.dat" ] || fail "no profile written after quitting mid-speech"
stop_service
mv "$XDG_CONFIG_HOME/speech-dispatcher.private" "$XDG_CONFIG_HOME/speech-dispatcher"

# --- no speech-dispatcher: the espeak-ng program, through the game's mixer ----
note "espeak-ng"
export SPEECHD_ADDRESS="unix_socket:$WORK/no-service.sock"
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
a=$(stat -c %s "$raw"); sleep 1; z=$(stat -c %s "$raw")
tap v
# The first words wait for the game to find that no speech-dispatcher answers
# (its client tries to start one, a second or so on a busy machine): the time
# after "Voice on" begins is measured.
wait_trace "voice: begins after .*: Voice on" 10
b=$(stat -c %s "$raw")
sleep 1.2; c=$(stat -c %s "$raw")
quit_game
before=$(band_rms_of "$raw" $a $z)
after=$(band_rms_of "$raw" $b $c)
note "speech band RMS on the title: before V $before, after $after"
awk -v m="$before" -v v="$after" 'BEGIN { exit !(v > 1.5 * m) }' || fail "V did not start the voice ($after against $before)"
grep -qx 'voice = 1' "$WORK/config.ini" || fail "V is not remembered: $(cat "$WORK/config.ini")"

# With no sound device at all (no card, ALSA's default untouched) the voice says
# so once on stderr and the game plays on.
if ! grep -qs '^ *[0-9]' /proc/asound/cards; then
    rm -f "$HOME/.asoundrc"
    start_game --trace --voice
    wait_trace "mode EventScreen, page 0," 10
    tap v; tap v
    # Said when the first words find no service to answer, a second or more on
    # a busy machine.
    tries=0
    while ! grep -q "no sound device" "$WORK/stderr.log" && [ $tries -lt 100 ]; do sleep 0.1; tries=$((tries + 1)); done
    quit_game
    [ "$(grep -v '^ALSA' "$WORK/stderr.log")" = "Karvelle: no sound device; the voice stays silent" ] ||
        fail "without sound, stderr: $(grep -v '^ALSA' "$WORK/stderr.log")"
fi

# --- the desktop's screen reader ---------------------------------------------
# gdbus answers for the session bus; a stand-in says what the desktop would. The
# player's V above is forgotten first.
note "screen reader"
printf '[graphics]\nfullscreen = 0\n' > "$WORK/config.ini"
printf 'pcm.!default { type file; slave.pcm "null"; file "%s"; format "raw" }\n' "$WORK/reader.raw" > "$HOME/.asoundrc"
mkdir -p "$WORK/bin"
fake_bus() {
    printf '#!/bin/sh\n[ "$*" = "call --session --timeout 2 --dest org.a11y.Bus --object-path /org/a11y/bus --method org.freedesktop.DBus.Properties.Get org.a11y.Status ScreenReaderEnabled" ] || exit 1\necho "(<%s>,)"\n' "$1" > "$WORK/bin/gdbus"
    chmod +x "$WORK/bin/gdbus"
}
fake_bus true
PATH="$WORK/bin:$PATH" start_game --trace
wait_trace "say: Karvelle" 10
quit_game
fake_bus false
PATH="$WORK/bin:$PATH" start_game --trace
wait_trace "mode EventScreen, page 0," 10
sleep 1.5
quit_game
grep -q '^say:' "$WORK/stdout.log" && fail "the voice spoke with no screen reader: $(grep '^say:' "$WORK/stdout.log" | head -n 3)"

# --- a listener's walk ---------------------------------------------------------
# A player who only listens: every decision is taken from the say: lines of the
# trace, never from the screen. Both modes on from config.ini.
note "a listener's walk"
printf 'pcm.!default { type file; slave.pcm "null"; file "%s"; format "raw" }\n' "$WORK/walk.raw" > "$HOME/.asoundrc"
printf '[graphics]\nfullscreen = 0\n[accessibility]\nvoice = 1\ncalm = 1\n' > "$WORK/config.ini"
rm -f "$WORK/data/profile.dat"

# next_said SECONDS: the next line handed to speech (after those already heard).
next_said() {
    wait_trace '^say: ' "$1"
    SAID=${TRACE_LINE#say: }
}

# listen POLICY BEGUN: follows one walk to the next title, taking the first way
# up offered ("first-up") or walking on at every way ("on"). BEGUN is 1 when the
# title that starts it has been heard already. ENDED is what the path's end said.
walk_on() { release Right; sleep 0.1; hold Right; }
begin_walk() { sleep 0.2; tap space; hold Right; }
listen() {
    local policy=$1 begun=$2 taken=0
    ENDED=""
    [ "$begun" = 1 ] && begin_walk
    while next_said 90; do
        case "$SAID" in
        "Press Space to Begin")
            [ "$begun" = 1 ] && { release_all; return; }
            begun=1
            begin_walk ;;
        "Press Space to go on")
            sleep 0.2; tap space ;;
        "A way up. Up to take it, Right to walk on.")
            if [ "$policy" = first-up ] && [ $taken = 0 ]; then
                taken=1
                # Up held a moment takes the way; the rest of this room's words,
                # said after the way's line, may come meanwhile.
                hold Up
                sleep 1
                release Up
                note "took the way up"
            else
                walk_on
            fi ;;
        "A way down. Down to take it, Right to walk on.")
            walk_on ;;
        "The path ends:"*)
            ENDED=$SAID ;;
        esac
    done
}

start_game --trace
listen first-up 0
note "first walk: $ENDED"
echo "$ENDED" | grep -q "^The path ends: one path out of eight found" || fail "the first walk did not end a path: $ENDED"
listen on 1
note "second walk: $ENDED"
echo "$ENDED" | grep -q "^The path ends: two paths out of eight found" || fail "the second walk did not end a path: $ENDED"
quit_game
# The way up in room 3 leads into town and on to the barracks: the war; walking
# on at every way is the walk home.
expect_profile 00100010
grep -q '^say: You passed the way up.$' "$WORK/stdout.log" || fail "no way was said to be passed"
grep -v '^ALSA' "$WORK/stderr.log" | grep -q . && fail "stderr: $(cat "$WORK/stderr.log")"

echo "voice: ok"

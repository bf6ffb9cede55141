#!/bin/bash
# A listener's walk through rooms 0 to 9 (the way home), measured from the
# voice's own trace: how many room lines were cut off while being said, and how
# long each way's line waited between the stop at the way and its first word.
# Through a private speech-dispatcher whose sound leaves at the pace of real
# playback, as a listener hears it. Usage: bench/voice_walk.sh BUILD_DIR
. "$(dirname "$0")/../tests/e2e/lib.sh"
e2e_setup "$1"
export HOME="$WORK/home" XDG_RUNTIME_DIR="$WORK/run"
mkdir -p "$HOME" "$XDG_CONFIG_HOME/speech-dispatcher"
mkdir -m 700 -p "$XDG_RUNTIME_DIR"
cat > "$XDG_CONFIG_HOME/speech-dispatcher/speechd.conf" <<'CONF'
AudioOutputMethod "alsa"
AudioALSADevice "speech"
AddModule "espeak-ng" "sd_espeak-ng" "espeak-ng.conf"
DefaultModule espeak-ng
CONF
fifo="$WORK/speech.fifo"
mkfifo "$fifo"
# The service's device: a pipe emptied at 22050 mono 16-bit samples a second.
python3 - "$fifo" <<'PACE' &
import fcntl, os, sys, time
while True:
    fd = os.open(sys.argv[1], os.O_RDONLY)
    try:
        fcntl.fcntl(fd, 1031, 4096)
    except OSError:
        pass
    start, taken = time.monotonic(), 0
    while True:
        chunk = os.read(fd, 2205)
        if not chunk:
            break
        taken += len(chunk)
        ahead = taken / 44100.0 - (time.monotonic() - start)
        if ahead > 0:
            time.sleep(ahead)
    os.close(fd)
PACE
PACER_PID=$!
stop_service() {
    for pid in $(pgrep -f -- "--socket-path $XDG_RUNTIME_DIR/speech-dispatcher/"); do kill "$pid" 2>/dev/null; done
    kill "$PACER_PID" 2>/dev/null
}
trap 'stop_service; e2e_cleanup' EXIT
printf 'pcm.!default { type file; slave.pcm "null"; file "/dev/null"; format "raw" }\npcm.speech { type file; slave.pcm "null"; file "%s"; format "raw" }\n' "$fifo" > "$HOME/.asoundrc"
printf '[graphics]\nfullscreen = 0\n[accessibility]\nvoice = 1\n' > "$WORK/config.ini"
[ -n "${VOICE_WALK_PROFILE:-}" ] && printf "$VOICE_WALK_PROFILE" > "$WORK/data/profile.dat"

# The listener acts on what is heard: a page is turned once "Press Space to go
# on" has been said, a way is walked past once its line has been said.
HEARD_POS=0
start_game --trace
begin_game
hold Right
while :; do
    line=$(tail -n +$((HEARD_POS + 1)) "$WORK/stdout.log" | grep -n -m1 -E '^voice: ends|room 10$')
    if [ -z "$line" ]; then
        kill -0 "$GAME_PID" 2>/dev/null || fail "the game ended"
        sleep 0.05
        continue
    fi
    HEARD_POS=$((HEARD_POS + ${line%%:*}))
    case "$line" in
    *"room 10") break ;;
    *"Press Space to go on") sleep 0.2; tap space ;;
    *"Right to walk on.") release Right; sleep 0.1; hold Right ;;
    esac
done
release_all
# Escape in a room gives up the walk; on the title it quits.
tap Escape
wait_trace "mode EventScreen, page 0," 10
quit_game
stop_service

# The room lines are the ones said on entering a room: those not said on a page or at a way.
said=$(grep -c '^say: ' "$WORK/stdout.log")
cut=$(grep '^voice: cut' "$WORK/stdout.log" | grep -v -E 'Press Space|Right to walk on|You passed' )
echo "lines given to the voice: $said"
echo "room lines cut while being said: $(printf '%s' "$cut" | grep -c .)"
printf '%s\n' "$cut" | grep . | sed 's/^/  /'
# Words given but never begun: dropped when the room was left, or passed over.
never=$(awk '/^say: / { sub(/^say: /, ""); given[$0]++ } /^voice: begins after/ { sub(/^voice: begins after [0-9.]+ s: /, ""); begun[$0]++ }
    END { for (t in given) if (!(t in begun)) print "  " t }' "$WORK/stdout.log")
echo "lines never begun: $(printf '%s' "$never" | grep -c .)"
printf '%s\n' "$never" | grep .
grep '^voice: begins after' "$WORK/stdout.log" | grep 'Right to walk on' | sed 's/^voice: begins after \([0-9.]*\) s: \(.*\)/way line waited \1 s: \2/'
grep '^voice: begins after' "$WORK/stdout.log" | grep 'Right to walk on' |
    awk '{ if ($4 > m) m = $4 } END { printf "longest wait of a way line: %.2f s\n", m }'
[ -n "${VOICE_WALK_LOG:-}" ] && cp "$WORK/stdout.log" "$VOICE_WALK_LOG"
exit 0

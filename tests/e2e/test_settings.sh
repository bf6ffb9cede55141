#!/bin/bash
# The settings page as a player uses it: F1 on the title opens it, a volume and
# calm mode are changed there, V switches the voice, Escape goes back to the
# title without quitting; the next start finds all three remembered in
# config.ini, the player's own comment and [keys] line kept.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"

printf '# my own note: keep me\n[graphics]\nfullscreen = 0\n[keys]\npause = P\n' > "$WORK/config.ini"

note "F1 opens the page; Left three times, then calm mode; V; Escape goes back"
start_game --trace
wait_trace "mode EventScreen, page 0," 10
sleep 0.3
tap v
wait_trace "say: Voice on" 5
tap F1
wait_trace "say: Settings. Music volume: 100" 5
page=$(screenshot settings)
# Each key waits for the line it says: on a busy machine two taps close
# together can fall within one long frame.
for volume in 90 80 70; do tap Left; wait_trace "say: Music volume: $volume" 5; done
for i in 1 2 3 4 5; do tap Down; wait_trace "say: " 5; done
tap Down
wait_trace "say: Calm mode: off" 5
tap Right
wait_trace "say: Calm mode: on" 5
tap Escape
sleep 0.5
kill -0 "$GAME_PID" 2>/dev/null || fail "Escape on the settings page ended the game"
grep -q 'music_volume = 70' "$WORK/config.ini" || fail "the volume is not saved at once: $(cat "$WORK/config.ini")"
quit_game

note "config.ini holds the changes and the player's own lines"
config=$(cat "$WORK/config.ini")
for line in '# my own note: keep me' 'fullscreen = 0' 'pause = P' 'music_volume = 70' 'calm = 1' 'voice = 1'; do
    grep -qxF "$line" "$WORK/config.ini" || fail "config.ini lacks \"$line\": $config"
done

note "the next start remembers them: the voice speaks, the page shows 70"
start_game --trace
wait_trace "say: Karvelle" 10
sleep 0.3
tap F1
wait_trace "say: Settings. Music volume: 70" 5
for i in 1 2 3 4 5; do tap Down; wait_trace "say: " 5; done
tap Down
wait_trace "say: Calm mode: on" 5
expect_words settings-again "Music volume: 70"
tap F1
sleep 0.3
quit_game
[ -s "$page" ] || fail "no screenshot of the page"
echo "PASS: settings"

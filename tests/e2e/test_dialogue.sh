#!/bin/bash
# With no profile the neighbour in room 2 says good morning; the words are read
# off the screen.
. "$(dirname "$0")/lib.sh"
e2e_setup "$1"
start_game --trace
expect_words title "KARVELLE"
expect_words title "Press Space to Begin"
begin_game
xdotool keydown Right
expect_page 1
wait_trace "mode EventScreen, page 2," 30
xdotool keyup Right
sleep 0.3
expect_words page2 "Good morning. Nice day, isn't it?"
tap space
wait_trace "mode Play," 5
xdotool keydown Escape; sleep 0.2; xdotool keyup Escape
wait_trace "mode EventScreen, page 0," 5
quit_game
echo "dialogue: ok"

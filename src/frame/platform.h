// The Linux-specific pieces: the monotonic clock, signals, sleeping and paths.
#pragma once

#include <cstdint>

int64_t monotonic_now_ns();
void sleep_ns(int64_t ns);
// SIGTERM, SIGINT and SIGHUP ask the loop to end, so the profile is written.
void install_quit_signals();
// When data/ is not in the working directory, move to the folder holding the game.
void change_to_game_directory();

// The signals that ask the game to end.
#pragma once

// SIGTERM, SIGINT and SIGHUP ask the loop to end, so the profile is written.
// They are held back from the very start (Allegro's threads inherit that, and
// its own handlers cannot take one mid set-up) and taken once the game's
// handlers are installed.
void block_quit_signals();
void install_quit_signals();

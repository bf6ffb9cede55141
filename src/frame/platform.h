// The Linux-specific pieces: the monotonic clock, signals, sleeping, paths, the X
// server's display modes and the joystick devices.
#pragma once

#include <cstdint>
#include <vector>

int64_t monotonic_now_ns();
void sleep_ns(int64_t ns);
// SIGTERM, SIGINT and SIGHUP ask the loop to end, so the profile is written.
void install_quit_signals();
// When data/ is not in the working directory, move to the folder holding the game.
void change_to_game_directory();

// Whether the X server can switch the monitor to a width x height mode: it has
// the XF86VidMode extension and lists such a mode. False without an X server.
bool x_server_can_switch_to(int width, int height);

// The Linux input codes (ABS_*, BTN_*) of the first joystick device's axes and
// buttons, in the order its driver numbers them. False when there is no such
// device or it does not say.
bool first_joystick_codes(std::vector<int>& axisCodes, std::vector<int>& buttonCodes);

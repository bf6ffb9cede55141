// --warp ROOM, a developer's option: a walk that starts in a chosen room, with
// the story as the walk there from the start of a game would leave it. For
// trying a room and for the tests; the profile is neither read nor written.
#pragma once

#include <cstdint>

// The room --warp asked for, or -1.
extern int32_t warpRoom;

// Reads a room number that a walk reaches; false, leaving `room` alone, for
// anything else.
bool parse_warp_room(const char* text, int32_t& room);
// The story flags and rooms as the pages on the way to `room` leave them
// (after a new game in room 0), then `room` entered. No fade, mode or music.
void apply_route_to(int32_t room);
// After start-up: the walk begins in `warpRoom`, fading in, as from the title.
void warp_start();

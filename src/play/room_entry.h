// Entering a room: its images, its triggers armed again and, in room 0, a new
// game; and the story's return to room 0 through the interlude.
#pragma once

#include <cstdint>

void enter_room(int32_t index);
// After an ending or a walk given up: room 0 again, behind the interlude.
void quit_to_interlude();

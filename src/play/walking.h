// Walking, exits and room changes, and followers, in mode Play.
#pragma once

#include "play/walk_assist.h"

constexpr double WALK_SPEED = 2.5;
constexpr double INJURED_SPEED = 1.5;
constexpr double RIGHT_EXIT_X = 285.0;
constexpr double ENTRY_X = 5.0;
constexpr int WALK_FRAME_PERIOD = 8;

// Rooms whose right exit lies elsewhere, and the room entered further in.
constexpr int ROOM_15_EXIT_X = 265;
constexpr int ROOM_34_EXIT_X = 190;
constexpr double ROOM_28_ENTRY_X = 25.0;

// The x beyond which the right exit of a room is taken.
double right_exit_threshold(int room);

void play_input();
void world_step();

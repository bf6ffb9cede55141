// The way the map reaches a room: the rooms walked through from the room a game
// starts in, and the exit taken out of each.
#pragma once

#include <cstdint>
#include <vector>

#include "world/room.h"

// A game starts in room 0; the last path starts in room 61, which no exit joins.
constexpr int32_t FIRST_ROOM = 0;
constexpr int32_t LAST_PATH_ROOM = 61;

struct RouteStep {
    int32_t room;
    ExitDirection exit;  // the exit taken out of `room`; 0 for the room arrived at
};

// The shortest walk from the start of a game to `room`, that room last; empty
// when no walk reaches it. Where several exits lead on, the right one is taken.
std::vector<RouteStep> route_to(int32_t room);

#include "world/followers.h"

#include "core/game_state.h"
#include "world/room.h"

bool follower_moves()
{
    const Room& room = current_room();
    if (room.followerMode != 1 && room.followerMode != 2) return false;
    if (!(game.playerX - FOLLOW_GAP > room.followerX)) return false;
    // A follower of mode 2 stops once it has reached x 80.
    return room.followerMode != 2 || room.followerX <= FOLLOWER_LIMIT_X;
}

void follower_step()
{
    if (follower_moves()) current_room().followerX += 1;
}

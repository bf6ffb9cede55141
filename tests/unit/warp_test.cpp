// --warp: every room a walk reaches, reached by the map's own exits, with the
// story as the pages on the way leave it.
#include <gtest/gtest.h>

#include <string>

#include "core/game_state.h"
#include "frame/game_setup.h"
#include "frame/warp.h"
#include "world/routes.h"
#include "test_support.h"

TEST(WarpTest, EveryFilledRoomHasAWalkThroughTheMapsExits)
{
    ensure_allegro();
    construct_game_state();
    for (int room = 0; room < ROOM_COUNT; ++room) {
        SCOPED_TRACE("room " + std::to_string(room));
        const bool filled = (room <= 38) || (room >= 45 && room <= 59) || (room >= 61 && room <= 72);
        const std::vector<RouteStep> route = route_to(room);
        int32_t parsed = -1;
        EXPECT_EQ(parse_warp_room(std::to_string(room).c_str(), parsed), filled);
        if (!filled) { EXPECT_TRUE(route.empty()); continue; }
        ASSERT_FALSE(route.empty());
        EXPECT_EQ(route.front().room, room >= 61 ? 61 : 0);
        EXPECT_EQ(route.back().room, room);
        for (size_t i = 0; i + 1 < route.size(); ++i) {
            const Room& r = room_at(route[i].room);
            const int32_t next = route[i].exit == ExitRight ? (r.hasRightExit ? r.rightExitRoom : -1)
                               : route[i].exit == ExitUp    ? (r.hasUpExit ? r.upExitRoom : -1)
                                                            : (r.hasDownExit ? r.downExitRoom : -1);
            EXPECT_EQ(next, route[i + 1].room) << "step " << i;
        }
    }
    int32_t room = 7;
    for (const char* bad : {"", "-1", "500", "3x", "abc", "60"}) EXPECT_FALSE(parse_warp_room(bad, room)) << bad;
    EXPECT_EQ(room, 7);
}

TEST(WarpTest, TheStoryIsWhatThePagesOnTheWayMade)
{
    ensure_allegro();
    construct_game_state();
    // The king dubs him in the throne room (48); the crowd joins him before the
    // mother's house (50); the sergeant gives him a uniform (33); the loan
    // sharks beat him (27); the pub calls last orders on the way out (26, right).
    for (int room : {0, 3, 12, 20, 21, 27, 28, 29, 31, 33, 34, 37, 45, 48, 49, 50, 51, 59, 61, 72}) {
        SCOPED_TRACE("room " + std::to_string(room));
        apply_route_to(room);
        EXPECT_EQ(game.currentRoom, room);
        EXPECT_EQ(game.isKnight, room >= 49 && room <= 59);
        EXPECT_EQ(game.hasCompanions, room >= 51 && room <= 59);
        EXPECT_EQ(room_at(50).hasResident, !(room >= 51 && room <= 59));
        EXPECT_EQ(game.inUniform, room >= 34 && room <= 37);
        EXPECT_EQ(game.isInjured, room == 28);
        EXPECT_EQ(game.clockHand, room >= 29 && room <= 31 ? 4 : 0);
        EXPECT_EQ(game.playerX, room == 0 || room == 61 ? 10.0 : room == 28 ? 25.0 : 5.0);
    }
}

// The room table: defaults, trigger slots, entering a room and a new game's reset.
#include <gtest/gtest.h>

#include <allegro.h>

#include <cerrno>
#include <string>
#include <vector>

#include "core/game_state.h"
#include "frame/game_setup.h"
#include "events/pages.h"
#include "play/room_entry.h"
#include "world/room.h"
#include "test_support.h"

namespace {


void expect_default_room(const Room& r, int index)
{
    SCOPED_TRACE("room " + std::to_string(index));
    EXPECT_EQ(r.sceneImage, "simple_straight");
    EXPECT_EQ(r.midLayer, "mid1");
    EXPECT_EQ(r.backLayer, "back1");
    EXPECT_EQ(r.description, "");
    EXPECT_FALSE(r.hasResident || r.hasRightExit || r.hasUpExit || r.hasDownExit);
    EXPECT_EQ(r.rightExitRoom | r.upExitRoom | r.downExitRoom | r.upExitColumn | r.downExitColumn, 0);
    EXPECT_EQ(r.residentSprite | r.residentX | r.groundMode, 0);
    EXPECT_FALSE(r.drunkenWalk || r.hasClock || r.warAmbience);
    EXPECT_EQ(r.followerMode | r.followerSprite | r.followerX | r.followerFrame | r.followerTimer, 0);
    EXPECT_EQ(r.triggerCount, 0);
    for (int slot = 0; slot < MAX_TRIGGERS; ++slot) {
        EXPECT_EQ(r.triggerCode[slot], 0);
        EXPECT_EQ(r.triggerX[slot], 0);
        EXPECT_FALSE(r.triggerFired[slot]);
    }
}

// Puts every field that play or junk could change to a value no room starts with.
void scramble(Room& r)
{
    r.sceneImage = r.midLayer = r.backLayer = r.description = "x";
    r.hasResident = r.hasRightExit = r.hasUpExit = r.hasDownExit = true;
    r.rightExitRoom = r.upExitRoom = r.downExitRoom = 99;
    r.upExitColumn = r.downExitColumn = 9;
    r.residentSprite = r.residentX = 77;
    r.groundMode = 1;
    r.drunkenWalk = r.hasClock = r.warAmbience = true;
    r.followerMode = 3;
    r.followerSprite = r.followerX = 66;
    r.followerFrame = 2;
    r.followerTimer = 5;
    for (int slot = 0; slot < MAX_TRIGGERS; ++slot) {
        r.triggerCode[slot] = r.triggerX[slot] = 55;
        r.triggerFired[slot] = true;
    }
    r.triggerCount = MAX_TRIGGERS;
}

class WorldTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensure_allegro();
        construct_game_state();
    }
};

}  // namespace

TEST_F(WorldTest, ResetRoomTableGivesEveryRoomItsDefaults)
{
    scramble(room_at(0));
    scramble(room_at(250));
    scramble(room_at(ROOM_COUNT - 1));
    reset_room_table();
    for (int index = 0; index < ROOM_COUNT; ++index) expect_default_room(room_at(index), index);
}

TEST_F(WorldTest, SlotsOutsideTheMapKeepTheirDefaults)
{
    for (int index = 39; index <= 44; ++index) expect_default_room(room_at(index), index);
    expect_default_room(room_at(60), 60);
    for (int index = 73; index < ROOM_COUNT; ++index) expect_default_room(room_at(index), index);
}

TEST_F(WorldTest, TriggersAppendInSlotOrderAndStopAtTen)
{
    Room room;
    for (int i = 0; i < MAX_TRIGGERS; ++i) add_trigger(room, i - 5, 10 * i);
    EXPECT_EQ(room.triggerCount, MAX_TRIGGERS);
    for (int slot = 0; slot < MAX_TRIGGERS; ++slot) {
        EXPECT_EQ(room.triggerCode[slot], slot - 5);
        EXPECT_EQ(room.triggerX[slot], 10 * slot);
    }
    add_trigger(room, 33, 300);  // an eleventh has no slot
    EXPECT_EQ(room.triggerCount, MAX_TRIGGERS);
    EXPECT_EQ(room.triggerCode[MAX_TRIGGERS - 1], 4);

    for (bool& fired : room.triggerFired) fired = true;
    rearm_triggers(room);
    for (bool fired : room.triggerFired) EXPECT_FALSE(fired);
}

TEST_F(WorldTest, EnteringARoomRearmsOnlyItsTriggersAndMendsTheMonster)
{
    for (int index : {5, 6, 7}) {
        Room& r = room_at(index);
        for (bool& fired : r.triggerFired) fired = true;
    }
    room_at(6).residentSprite = 13;
    game.currentRoom = 6;  // coming from the bridge
    game.interludeClock = 12.5;
    game.playerX = 150.0;
    // Story state that only a new game puts back.
    game.isKnight = game.isInjured = true;
    game.clockHand = 3;
    room_at(27).residentSprite = 15;
    room_at(50).hasResident = false;

    enter_room(7);

    EXPECT_EQ(game.currentRoom, 7);
    for (bool fired : room_at(7).triggerFired) EXPECT_FALSE(fired);
    for (bool fired : room_at(5).triggerFired) EXPECT_TRUE(fired);
    for (bool fired : room_at(6).triggerFired) EXPECT_TRUE(fired);
    EXPECT_EQ(room_at(6).residentSprite, 12);
    EXPECT_EQ(game.interludeClock, -240.0);
    EXPECT_EQ(game.playerX, 150.0);  // placing the player is the caller's business
    EXPECT_TRUE(game.isKnight);
    EXPECT_TRUE(game.isInjured);
    EXPECT_EQ(game.clockHand, 3);
    EXPECT_EQ(room_at(27).residentSprite, 15);
    EXPECT_FALSE(room_at(50).hasResident);

    enter_room(0);

    EXPECT_EQ(game.currentRoom, 0);
    EXPECT_FALSE(game.isKnight);
    EXPECT_FALSE(game.isInjured);
    EXPECT_EQ(game.clockHand, 0);
    EXPECT_EQ(room_at(27).residentSprite, 16);
    EXPECT_TRUE(room_at(50).hasResident);
}

TEST_F(WorldTest, ANewGamePutsEveryRoomBackAsBuilt)
{
    static RoomTable built;
    built = roomTable;
    // What a played story leaves behind: every page's doing, the followers
    // walked on, the monster struck, the flags set.
    for (EventCode code = 1; code <= 41; ++code) apply_page_effects(code);
    for (Room& r : roomTable.rooms)
        if (r.followerMode != 0) r.followerX += 100;
    room_at(6).residentSprite = 13;
    game.isKnight = game.hasCompanions = game.inUniform = game.isInjured = true;
    game.clockHand = 3;
    game.lastPathOpen = true;
    game.ambienceCountdown = 30;

    enter_room(0);

    EXPECT_FALSE(game.isKnight || game.hasCompanions || game.inUniform || game.isInjured);
    EXPECT_EQ(game.clockHand, 0);
    EXPECT_TRUE(game.lastPathOpen);  // the endings found decide that, not the room
    EXPECT_EQ(game.ambienceCountdown, 30);
    for (int index = 0; index < ROOM_COUNT; ++index) {
        SCOPED_TRACE("room " + std::to_string(index));
        const Room &now = roomTable.rooms[index], &was = built.rooms[index];
        EXPECT_EQ(now.description + now.sceneImage + now.midLayer + now.backLayer,
                  was.description + was.sceneImage + was.midLayer + was.backLayer);
        // Where no follower walks, its place does not matter.
        EXPECT_EQ(std::vector<int>({now.hasResident, now.residentSprite, now.residentX, now.followerMode,
                                    now.followerSprite, now.followerMode ? now.followerX : 0, now.groundMode, now.drunkenWalk,
                                    now.hasClock, now.warAmbience, now.triggerCount}),
                  std::vector<int>({was.hasResident, was.residentSprite, was.residentX, was.followerMode,
                                    was.followerSprite, was.followerMode ? was.followerX : 0, was.groundMode, was.drunkenWalk,
                                    was.hasClock, was.warAmbience, was.triggerCount}));
        EXPECT_EQ(std::vector<int>({now.hasRightExit, now.rightExitRoom, now.hasUpExit, now.upExitRoom,
                                    now.upExitColumn, now.hasDownExit, now.downExitRoom, now.downExitColumn}),
                  std::vector<int>({was.hasRightExit, was.rightExitRoom, was.hasUpExit, was.upExitRoom,
                                    was.upExitColumn, was.hasDownExit, was.downExitRoom, was.downExitColumn}));
        for (int t = 0; t < MAX_TRIGGERS; ++t) {
            EXPECT_EQ(now.triggerCode[t], was.triggerCode[t]);
            EXPECT_EQ(now.triggerX[t], was.triggerX[t]);
        }
    }
}

// The room table: defaults, trigger slots, entering a room and a new game's reset.
#include <gtest/gtest.h>

#include <allegro.h>

#include <cerrno>
#include <string>

#include "core/game_state.h"
#include "frame/game_setup.h"
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

TEST_F(WorldTest, NewGamePutsEveryChangedRoomBack)
{
    // What the events of a played story leave behind, and some junk besides.
    for (int index : {19, 24, 26, 27, 28, 50}) scramble(room_at(index));
    room_at(50).hasResident = false;
    room_at(50).residentSprite = 27;
    room_at(50).residentX = 150;
    game.isKnight = game.hasCompanions = game.inUniform = game.isInjured = true;
    game.clockHand = 7;
    game.lastPathOpen = true;
    game.ambienceCountdown = 30;

    reset_room_state();

    EXPECT_FALSE(game.isKnight);
    EXPECT_FALSE(game.hasCompanions);
    EXPECT_FALSE(game.inUniform);
    EXPECT_FALSE(game.isInjured);
    EXPECT_EQ(game.clockHand, 0);
    EXPECT_TRUE(game.lastPathOpen);
    EXPECT_EQ(game.ambienceCountdown, 30);

    struct Follower { int room, mode, sprite; };
    for (Follower f : {Follower{19, 2, 51}, Follower{24, 2, 21}, Follower{27, 0, 0}, Follower{28, 1, 43}}) {
        SCOPED_TRACE("room " + std::to_string(f.room));
        const Room& r = room_at(f.room);
        EXPECT_EQ(r.followerMode, f.mode);
        EXPECT_EQ(r.followerSprite, f.sprite);
        EXPECT_EQ(r.followerX, -20);
        EXPECT_EQ(r.followerFrame, 2);  // the walk frame and timer are left alone
        EXPECT_EQ(r.followerTimer, 5);
    }

    struct Resident { int room, sprite, x; };
    for (Resident p : {Resident{26, 16, 130}, Resident{27, 16, 210}, Resident{50, 27, 150}}) {
        SCOPED_TRACE("room " + std::to_string(p.room));
        const Room& r = room_at(p.room);
        EXPECT_TRUE(r.hasResident);
        EXPECT_EQ(r.residentSprite, p.sprite);
        EXPECT_EQ(r.residentX, p.x);
    }

    // Fields that play never changes are not touched.
    EXPECT_EQ(room_at(26).triggerCount, MAX_TRIGGERS);
    EXPECT_EQ(room_at(19).residentSprite, 77);
    EXPECT_EQ(room_at(28).description, "x");
    EXPECT_EQ(room_at(50).followerMode, 3);
}

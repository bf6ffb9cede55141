// The stop at each way up or down with the voice on: the walker waits at the
// start of the column, Up takes the way as always, a new press of Right walks
// on; with the voice off the walk is untouched.
#include <gtest/gtest.h>

#include <allegro.h>

#include "audio/speech.h"
#include "play/way_stop.h"
#include "play_fixture.h"

namespace {

AudioBackend muted_real_backend()
{
    AudioBackend backend = real_audio_backend();
    backend.playSample = [](const SAMPLE*, int, int, int, int) { return 0; };
    backend.stopSample = [](const SAMPLE*) {};
    return backend;
}

class WayStop : public PlayFixture {
protected:
    void SetUp() override
    {
        start_play(muted_real_backend());
        reset_way_stop();
        Room& room = bare_room(40);
        room.hasUpExit = true;
        room.upExitColumn = 3;
        room.upExitRoom = 41;
        room.hasRightExit = true;
        room.rightExitRoom = 42;
        bare_room(41);
        bare_room(42);
        place(40, 5.0);
    }
    void TearDown() override
    {
        settings.voice = false;
        reset_way_stop();
        PlayFixture::TearDown();
    }
    // Frames with Right held until the walker stands still or has left the room
    // (the fade of the exit run to its end).
    void walk_until_still(int limit = 200)
    {
        key[KEY_RIGHT] = 1;
        const int from = game.currentRoom;
        for (int i = 0; i < limit; ++i) {
            const double x = game.playerX;
            frame();
            if (game.roomChangePending) {
                for (int f = 0; f < 10 && game.currentRoom == from; ++f) frame();
                return;
            }
            if (game.playerX == x) return;
        }
    }
};

}  // namespace

TEST_F(WayStop, WithTheVoiceOffTheWalkerPassesTheWay)
{
    settings.voice = false;
    EXPECT_FALSE(walker_stops_at_ways());
    walk_until_still();
    EXPECT_NE(game.currentRoom, 40) << "out over the right edge, the way up left behind";
    EXPECT_EQ(game.exitDirection, ExitRight);
}

TEST_F(WayStop, TheWalkerWaitsAtTheStartOfTheColumnUntilRightIsPressedAgain)
{
    settings.voice = true;
    EXPECT_TRUE(walker_stops_at_ways());
    walk_until_still();
    ASSERT_EQ(game.currentRoom, 40);
    EXPECT_GE(game.playerX, 160.0);
    EXPECT_LT(game.playerX, 162.5) << "at the very start of column 3";
    EXPECT_TRUE(walker_held_at_way());
    EXPECT_EQ(game.playerFrame, 0) << "standing";

    // Right held on: the walker keeps waiting, for as long as it takes.
    const double x = game.playerX;
    for (int i = 0; i < 120; ++i) frame();
    EXPECT_DOUBLE_EQ(game.playerX, x);

    // Let go and press again: on through the column, and no stop there again.
    key[KEY_RIGHT] = 0;
    frame();
    EXPECT_DOUBLE_EQ(game.playerX, x);
    walk_until_still();
    EXPECT_NE(game.currentRoom, 40);
    EXPECT_FALSE(walker_held_at_way());
}

TEST_F(WayStop, UpTakesTheWayWhileTheWalkerWaits)
{
    settings.voice = true;
    walk_until_still();
    ASSERT_TRUE(walker_held_at_way());
    key[KEY_RIGHT] = 0;
    key[KEY_UP] = 1;
    for (int i = 0; i < 10; ++i) frame();
    EXPECT_TRUE(game.roomChangePending);
    EXPECT_EQ(game.exitDirection, ExitUp);
    for (int i = 0; i < 9; ++i) frame();
    EXPECT_EQ(game.currentRoom, 41);
    key[KEY_UP] = 0;
}

TEST_F(WayStop, EveryVisitStopsAgainAndAWayAtTheEntryHoldsAtOnce)
{
    settings.voice = true;
    walk_until_still();
    key[KEY_RIGHT] = 0;
    frame();
    walk_until_still();  // walked on, out to room 42
    ASSERT_EQ(game.currentRoom, 42);

    // The same room entered again: its way stops the walker once more.
    place(40, 5.0);
    walk_until_still();
    EXPECT_EQ(game.currentRoom, 40);
    EXPECT_TRUE(walker_held_at_way());

    // A way down in the column the walker enters in: held before the first step.
    key[KEY_RIGHT] = 0;
    Room& room = room_at(42);
    room.hasDownExit = true;
    room.downExitColumn = 1;
    place(42, 5.0);
    key[KEY_RIGHT] = 1;
    frame();
    EXPECT_DOUBLE_EQ(game.playerX, 5.0);
    EXPECT_TRUE(walker_held_at_way());
}

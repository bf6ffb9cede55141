// Auto-walk and the hold time of the ways up and down, through whole Play frames.
#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "play/walk_assist.h"
#include "world/exit_columns.h"
#include "play_fixture.h"

namespace {

AudioBackend quiet_backend()
{
    AudioBackend b{};
    b.playSample = [](const SAMPLE*, int, int, int, int) { return -1; };
    b.stopSample = [](const SAMPLE*) {};
    return b;
}

class WalkAssist : public PlayFixture {
protected:
    void SetUp() override
    {
        start_play(quiet_backend());
        reset_walk_assist();
        settings.autoWalk = true;
    }
    void TearDown() override
    {
        reset_walk_assist();
        set_config_data("", 0);
        PlayFixture::TearDown();
    }
    void tap_right()
    {
        key[KEY_RIGHT] = 1;
        frame();
        key[KEY_RIGHT] = 0;
        frame();
    }
    // Whether the player still walks after ten more frames with no key down.
    bool walks_on()
    {
        const double x = game.playerX;
        for (int i = 0; i < 10; ++i) frame();
        return game.playerX > x;
    }
    Room& open_room(int index)
    {
        Room& room = bare_room(index);
        room.hasRightExit = true;
        room.rightExitRoom = index;
        return room;
    }
};

TEST_F(WalkAssist, RightOnceWalksOnAndRightAgainStops)
{
    open_room(498);
    place(498, 10.0);
    tap_right();
    EXPECT_TRUE(walks_on());
    EXPECT_DOUBLE_EQ(game.playerSpeed, WALK_SPEED);
    tap_right();
    EXPECT_FALSE(walks_on());

    // Holding still works: held after the press that stopped the walk, it walks
    // until let go.
    tap_right();
    key[KEY_RIGHT] = 1;
    frame();
    const double x = game.playerX;
    for (int i = 0; i < 4; ++i) frame();
    EXPECT_DOUBLE_EQ(game.playerX, x + 4 * WALK_SPEED);
    key[KEY_RIGHT] = 0;
    EXPECT_FALSE(walks_on());
}

TEST_F(WalkAssist, WithoutItATapWalksOnlyWhileHeld)
{
    settings.autoWalk = false;
    open_room(498);
    place(498, 10.0);
    tap_right();
    EXPECT_FALSE(walks_on());
}

TEST_F(WalkAssist, APageStopsIt)
{
    Room& room = open_room(498);
    room.triggerCode[0] = 4;
    room.triggerX[0] = 60;
    room.triggerCount = 1;
    place(498, 10.0);
    tap_right();
    for (int i = 0; i < 40 && game.gameMode == Play; ++i) frame();
    ASSERT_EQ(game.gameMode, EventScreen);
    game.gameMode = Play;  // the page turned
    EXPECT_FALSE(walks_on());
}

TEST_F(WalkAssist, AnEventOfTheRoomStopsIt)
{
    Room& room = open_room(498);
    room.triggerCode[0] = -12;
    room.triggerX[0] = 60;
    room.triggerCount = 1;
    place(498, 10.0);
    tap_right();
    for (int i = 0; i < 40 && !room.triggerFired[0]; ++i) frame();
    ASSERT_TRUE(room.triggerFired[0]);
    EXPECT_FALSE(walks_on());
}

TEST_F(WalkAssist, LeavingTheRoomStopsIt)
{
    open_room(498);
    place(498, 270.0);
    tap_right();
    for (int i = 0; i < 40 && !game.roomChangePending; ++i) frame();
    ASSERT_TRUE(game.roomChangePending);
    for (int i = 0; i < 20 && game.roomChangePending; ++i) frame();
    ASSERT_FALSE(game.roomChangePending);
    EXPECT_DOUBLE_EQ(game.playerX, ENTRY_X);
    EXPECT_FALSE(walks_on()) << "the new room is entered standing";
}

TEST_F(WalkAssist, AWayUpOrDownStopsItWhereItBegins)
{
    Room& room = open_room(498);
    room.hasUpExit = true;
    room.upExitColumn = 3;
    place(498, 100.0);
    tap_right();
    for (int i = 0; i < 80; ++i) frame();
    EXPECT_EQ(column_of(game.playerX), 3);
    EXPECT_LT(game.playerX, 160.0 + WALK_SPEED);
    // Right again walks on through the column and out of it.
    tap_right();
    for (int i = 0; i < 40; ++i) frame();
    EXPECT_EQ(column_of(game.playerX), 4);
}

TEST_F(WalkAssist, TheHoldTimeComesFromConfig)
{
    const std::string config = "[controls]\nauto_walk = 1\nexit_hold_frames = 30\n";
    set_config_data(config.c_str(), int(config.size()));
    read_controls_config();
    EXPECT_TRUE(settings.autoWalk);
    EXPECT_EQ(settings.exitHoldFrames, 30);

    Room& room = bare_room(497);
    room.hasDownExit = true;
    room.downExitColumn = 1;
    room.downExitRoom = 497;
    place(497, 10.0);
    key[KEY_RIGHT] = 1;
    frame();
    key[KEY_RIGHT] = 0;
    key[KEY_DOWN] = 1;
    int held = 0;
    while (!game.roomChangePending && held < 100) {
        frame();
        ++held;
    }
    EXPECT_EQ(held, 30);
}

TEST_F(WalkAssist, AHoldTimeThatIsNoWholeNumberInRangeKeepsTen)
{
    for (const char* bad : {"0", "ten", "601", "12.5", "-3"}) {
        const std::string config = std::string("[controls]\nexit_hold_frames = ") + bad + "\n";
        set_config_data(config.c_str(), int(config.size()));
        testing::internal::CaptureStderr();
        read_controls_config();
        const std::string said = testing::internal::GetCapturedStderr();
        EXPECT_EQ(settings.exitHoldFrames, EXIT_HOLD_FRAMES) << bad;
        EXPECT_NE(said.find(std::string("exit_hold_frames = ") + bad), std::string::npos) << said;
        EXPECT_EQ(std::count(said.begin(), said.end(), '\n'), 1) << said;
    }
    set_config_data("", 0);
    read_controls_config();
    EXPECT_EQ(settings.exitHoldFrames, EXIT_HOLD_FRAMES);
    EXPECT_FALSE(settings.autoWalk);
}

}  // namespace

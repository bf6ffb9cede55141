// Walking, exits, room changes, followers and the keyboard poll in mode Play.
#include <gtest/gtest.h>

#include <allegro.h>
#include <chrono>
#include <cstring>
#include <map>
#include <thread>

#include "audio/audio_backend.h"
#include "audio/music.h"
#include "frame/fade.h"
#include "core/game_state.h"
#include "frame/game_setup.h"
#include "play/input.h"
#include "play/walking.h"
#include "world/exit_columns.h"
#include "world/followers.h"
#include "world/room.h"
#include "play_fixture.h"

namespace {


// No sound card in tests: every sample call is swallowed.
AudioBackend silent_backend()
{
    AudioBackend backend = real_audio_backend();
    backend.playSample = [](const SAMPLE*, int, int, int, int) { return 0; };
    backend.stopSample = [](const SAMPLE*) {};
    return backend;
}

// Lets go of a key from another thread after a short while, as the keyboard
// thread would when the player lifts a finger.
std::thread release_later(int scancode)
{
    return std::thread([scancode] {
        std::this_thread::sleep_for(std::chrono::milliseconds(30));
        key[scancode] = 0;
    });
}

class Walking : public PlayFixture {
protected:
    void SetUp() override { start_play(silent_backend()); }
};

TEST_F(Walking, ColumnsAreEightyUnitsWideFromOne)
{
    EXPECT_EQ(column_of(0.0), 1);
    EXPECT_EQ(column_of(79.99), 1);
    EXPECT_EQ(column_of(80.0), 2);
    EXPECT_EQ(column_of(239.9), 3);
    EXPECT_EQ(column_of(240.0), 4);
    EXPECT_EQ(column_of(319.9), 4);
    EXPECT_GT(column_of(1.0e300), 4);  // far off the screen, no overflow
}

TEST_F(Walking, PlainWalkMovesTwoAndAHalfAndFlipsFramesEveryEight)
{
    bare_room(40);
    place(40, 10.0);
    key[KEY_RIGHT] = 1;

    std::vector<int> frames;
    for (int i = 0; i < 17; ++i) {
        frame();
        EXPECT_DOUBLE_EQ(game.playerSpeed, 2.5);
        frames.push_back(game.playerFrame);
    }
    EXPECT_DOUBLE_EQ(game.playerX, 10.0 + 17 * 2.5);
    // The first flip on the first moving frame, then every eight frames.
    std::vector<int> expected = {1, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2, 2, 1};
    EXPECT_EQ(frames, expected);
    EXPECT_EQ(game.exitHoldFrames, EXIT_HOLD_FRAMES);

    key[KEY_RIGHT] = 0;
    double x = game.playerX;
    frame();
    EXPECT_EQ(game.playerFrame, 0);
    EXPECT_EQ(game.playerFrameTimer, 0);
    EXPECT_DOUBLE_EQ(game.playerX, x);
}

TEST_F(Walking, InjuredWalksAtOneAndAHalfEvenWhenDrunk)
{
    bare_room(40).drunkenWalk = true;
    place(40, 10.0);
    game.isInjured = true;
    key[KEY_RIGHT] = 1;
    for (int i = 0; i < 20; ++i) {
        frame();
        EXPECT_DOUBLE_EQ(game.playerSpeed, 1.5);
    }
    EXPECT_DOUBLE_EQ(game.playerX, 10.0 + 20 * 1.5);
}

TEST_F(Walking, DrunkenSpeedIsDrawnEveryFrameNeverBelowOneAndAHalf)
{
    bare_room(40).drunkenWalk = true;
    place(40, 10.0);
    key[KEY_RIGHT] = 1;

    auto draw_speeds = [&](unsigned seed) {
        std::srand(seed);
        std::vector<double> speeds;
        for (int i = 0; i < 11000; ++i) {
            { poll_input(); play_input(); }
            speeds.push_back(game.playerSpeed);
        }
        return speeds;
    };
    std::vector<double> speeds = draw_speeds(1234);
    std::map<double, int> counts;
    for (double s : speeds) counts[s] += 1;

    ASSERT_EQ(counts.size(), 5u);
    for (double allowed : {1.5, 1.75, 2.0, 2.25, 2.5}) EXPECT_EQ(counts.count(allowed), 1u) << allowed;
    // 7 chances in 11 for 1.5, 1 in 11 for each of the others.
    EXPECT_NEAR(counts[1.5] / 11000.0, 7.0 / 11.0, 0.03);
    for (double other : {1.75, 2.0, 2.25, 2.5}) EXPECT_NEAR(counts[other] / 11000.0, 1.0 / 11.0, 0.02);
    // The same seed walks the same way.
    EXPECT_EQ(draw_speeds(1234), speeds);
}

TEST_F(Walking, RightExitThresholds)
{
    EXPECT_DOUBLE_EQ(right_exit_threshold(15), 265.0);
    EXPECT_DOUBLE_EQ(right_exit_threshold(34), 190.0);
    EXPECT_DOUBLE_EQ(right_exit_threshold(0), 285.0);
    EXPECT_DOUBLE_EQ(right_exit_threshold(28), 285.0);

    struct Case { int room; double at; double past; };
    for (Case c : {Case{15, 265.0, 265.5}, Case{34, 190.0, 190.5}, Case{40, 285.0, 285.5}}) {
        Room& room = bare_room(c.room);
        room.hasRightExit = true;
        room.rightExitRoom = 41;
        place(c.room, c.at);
        game.roomChangePending = false;
        game.fadeState = Idle;
        world_step();
        EXPECT_FALSE(game.roomChangePending) << "room " << c.room << " at its threshold";
        game.playerX = c.past;
        world_step();
        EXPECT_TRUE(game.roomChangePending) << "room " << c.room << " past its threshold";
        EXPECT_EQ(game.fadeState, FadeOut);
        EXPECT_EQ(game.exitDirection, ExitRight);
    }

    // Without an open right exit the player walks on past the edge.
    bare_room(42);
    place(42, 400.0);
    game.roomChangePending = false;
    world_step();
    EXPECT_FALSE(game.roomChangePending);
}

TEST_F(Walking, WalkingOutChangesRoomInTheFrameTheFadeReachesBlack)
{
    Room& from = bare_room(40);
    from.hasRightExit = true;
    from.rightExitRoom = 41;
    bare_room(41);
    place(40, 280.0);
    key[KEY_RIGHT] = 1;

    int startFrame = 0;
    for (int i = 1; i <= 3; ++i) {
        frame();
        if (game.roomChangePending && !startFrame) startFrame = i;
    }
    ASSERT_EQ(startFrame, 3);  // 282.5, 285.0, then 287.5 leaves
    EXPECT_DOUBLE_EQ(game.playerX, 287.5);

    for (int i = 1; i <= 8; ++i) {
        frame();
        EXPECT_EQ(game.currentRoom, 40) << "frame " << i << " after the fade starts";
        EXPECT_DOUBLE_EQ(game.playerX, 287.5);
    }
    frame();  // the ninth
    EXPECT_EQ(game.currentRoom, 41);
    EXPECT_DOUBLE_EQ(game.playerX, 5.0);
    EXPECT_FALSE(game.roomChangePending);
    EXPECT_EQ(game.fadeState, FadeIn);
    EXPECT_EQ(game.fadeLevel, 255);

    frame();  // Right held all along: walking again at once, under the fade-in
    EXPECT_DOUBLE_EQ(game.playerX, 7.5);
}

TEST_F(Walking, EnteringRoom28PlacesThePlayerFurtherIn)
{
    Room& from = bare_room(40);
    from.hasRightExit = true;
    from.rightExitRoom = 28;
    place(40, 290.0);
    for (int i = 0; i < 10; ++i) frame();
    EXPECT_EQ(game.currentRoom, 28);
    EXPECT_DOUBLE_EQ(game.playerX, 25.0);
}

TEST_F(Walking, DownAndUpExitsAfterTenHeldFrames)
{
    struct Case { int scancode; bool down; int pose; ExitDirection direction; };
    for (Case c : {Case{KEY_DOWN, true, 3, ExitDown}, Case{KEY_UP, false, 4, ExitUp}}) {
        SCOPED_TRACE(c.down ? "down" : "up");
        Room& room = bare_room(40);
        if (c.down) {
            room.hasDownExit = true;
            room.downExitColumn = 2;
            room.downExitRoom = 41;
        } else {
            room.hasUpExit = true;
            room.upExitColumn = 2;
            room.upExitRoom = 41;
        }
        bare_room(41);
        place(40, 95.0);
        game.fadeState = Idle;
        game.fadeLevel = 0;
        key[KEY_RIGHT] = 1;
        frame();  // walking arms the count
        EXPECT_EQ(game.exitHoldFrames, 10);

        key[c.scancode] = 1;  // Right still held: the exit stops the player
        double x = game.playerX;
        for (int i = 1; i <= 9; ++i) {
            frame();
            EXPECT_EQ(game.playerFrame, c.pose);
            EXPECT_DOUBLE_EQ(game.playerX, x);
            EXPECT_FALSE(game.roomChangePending) << "held frame " << i;
        }
        frame();
        EXPECT_TRUE(game.roomChangePending);
        EXPECT_EQ(game.exitDirection, c.direction);
        for (int i = 0; i < 9; ++i) frame();
        EXPECT_EQ(game.currentRoom, 41);
        EXPECT_DOUBLE_EQ(game.playerX, 5.0);
        key[c.scancode] = 0;
        key[KEY_RIGHT] = 0;
    }
}

TEST_F(Walking, ReleasingTheExitKeyKeepsThePartCount)
{
    Room& room = bare_room(40);
    room.hasDownExit = true;
    room.downExitColumn = 1;
    room.downExitRoom = 41;
    bare_room(41);
    place(40, 10.0);
    key[KEY_RIGHT] = 1;
    frame();
    key[KEY_RIGHT] = 0;

    key[KEY_DOWN] = 1;
    for (int i = 0; i < 4; ++i) frame();
    key[KEY_DOWN] = 0;
    frame();
    EXPECT_EQ(game.exitHoldFrames, 6);
    EXPECT_EQ(game.playerFrame, 0);

    key[KEY_DOWN] = 1;
    for (int i = 0; i < 5; ++i) frame();
    EXPECT_FALSE(game.roomChangePending);
    frame();
    EXPECT_TRUE(game.roomChangePending);
}

TEST_F(Walking, ExitKeysOutsideTheColumnOrWithoutAnExitDoNothing)
{
    Room& room = bare_room(40);
    room.hasDownExit = true;
    room.downExitColumn = 3;
    room.downExitRoom = 41;
    place(40, 10.0);
    key[KEY_RIGHT] = 1;
    key[KEY_DOWN] = 1;
    key[KEY_UP] = 1;  // no up exit at all
    for (int i = 0; i < 20; ++i) {
        frame();
        EXPECT_DOUBLE_EQ(game.playerSpeed, 2.5);
        EXPECT_NE(game.playerFrame, 3);
        EXPECT_NE(game.playerFrame, 4);
    }
    EXPECT_FALSE(game.roomChangePending);
    EXPECT_DOUBLE_EQ(game.playerX, 60.0);
}

TEST_F(Walking, ArrivingInTheExitColumnWithTheKeyHeldLeavesAtOnce)
{
    Room& first = bare_room(40);
    first.hasDownExit = true;
    first.downExitColumn = 1;
    first.downExitRoom = 41;
    Room& second = bare_room(41);
    second.hasDownExit = true;
    second.downExitColumn = 1;
    second.downExitRoom = 42;
    bare_room(42);
    place(40, 10.0);
    key[KEY_RIGHT] = 1;
    frame();
    key[KEY_RIGHT] = 0;
    key[KEY_DOWN] = 1;
    for (int i = 0; i < 10 + 9; ++i) frame();
    ASSERT_EQ(game.currentRoom, 41);
    ASSERT_FALSE(game.roomChangePending);

    frame();  // the count is spent: the first step in the new room leaves again
    EXPECT_TRUE(game.roomChangePending);
    EXPECT_EQ(game.exitDirection, ExitDown);
}

TEST_F(Walking, EverythingFreezesWhileARoomChangeIsPending)
{
    Room& room = bare_room(40);
    room.hasRightExit = true;
    room.rightExitRoom = 41;
    room.followerMode = 1;
    room.followerX = -20;
    room.followerFrame = 2;
    room.followerTimer = 3;
    add_trigger(room, 7, 20);
    bare_room(41);
    place(40, 10.0);
    game.roomChangePending = true;
    game.exitDirection = ExitRight;
    game.fadeState = FadeOut;
    game.fadeLevel = 0;
    game.eventCode = 0;
    key[KEY_RIGHT] = 1;

    for (int i = 0; i < 8; ++i) {
        { poll_input(); play_input(); }
        update_fade();
        world_step();
        EXPECT_DOUBLE_EQ(game.playerX, 10.0);
        EXPECT_FALSE(room.triggerFired[0]);
        EXPECT_EQ(game.gameMode, Play);
        EXPECT_EQ(room.followerFrame, 2);
        EXPECT_EQ(room.followerTimer, 3);
    }
    EXPECT_EQ(game.currentRoom, 40);
}

TEST_F(Walking, FollowersOfBothModes)
{
    // Mode 1 keeps thirty units behind and stands when the player stands.
    Room& room = bare_room(40);
    room.followerMode = 1;
    room.followerX = -20;
    place(40, 100.0);
    std::vector<int> walkFrames;
    for (int i = 0; i < 120; ++i) {
        frame();
        walkFrames.push_back(room.followerFrame);
    }
    EXPECT_EQ(room.followerX, 70);
    EXPECT_EQ(room.followerFrame, 0);
    EXPECT_EQ(room.followerTimer, 0);
    EXPECT_EQ(walkFrames[0], 1);
    EXPECT_EQ(walkFrames[8], 2);
    EXPECT_EQ(walkFrames[16], 1);

    key[KEY_RIGHT] = 1;
    for (int i = 0; i < 40; ++i) frame();
    EXPECT_GT(room.followerX, 70);
    EXPECT_LT(room.followerX, game.playerX - 30 + 1);

    // Mode 2 stops at x 80 however far ahead the player is.
    Room& other = bare_room(41);
    other.followerMode = 2;
    other.followerX = -20;
    key[KEY_RIGHT] = 0;
    place(41, 250.0);
    for (int i = 0; i < 200; ++i) {
        frame();
        EXPECT_LE(other.followerX, 80);
    }
    EXPECT_EQ(other.followerX, 80);
    EXPECT_FALSE(follower_moves());
    EXPECT_EQ(other.followerFrame, 0);
}

TEST_F(Walking, QuitKeysAbandonTheWalk)
{
    for (int scancode : {KEY_R, KEY_BACKSPACE, KEY_ESC}) {
        SCOPED_TRACE(scancode);
        construct_game_state();
        reset_input();
        game.gameMode = Play;
        bare_room(40);
        place(40, 150.0);
        game.isInjured = true;
        game.isKnight = true;
        game.eventCode = 17;
        game.roomChangePending = true;
        room_at(27).followerMode = 1;  // as the loan sharks' page leaves it

        key[scancode] = 1;
        std::thread releaser;
        if (scancode == KEY_ESC) releaser = release_later(KEY_ESC);  // play waits for it
        { poll_input(); play_input(); }
        if (releaser.joinable()) releaser.join();
        key[scancode] = 0;

        EXPECT_EQ(game.gameMode, Interlude);
        EXPECT_EQ(game.currentRoom, 0);
        EXPECT_DOUBLE_EQ(game.playerX, 60.0);
        EXPECT_EQ(game.eventCode, 0);
        EXPECT_EQ(game.fadeState, FadeIn);
        EXPECT_FALSE(game.roomChangePending);
        EXPECT_FALSE(game.isInjured);
        EXPECT_FALSE(game.isKnight);
        EXPECT_EQ(room_at(27).followerMode, 0);
        EXPECT_EQ(key[KEY_ESC], 0);
    }
}

TEST_F(Walking, TheMusicPlaysOnWhilePlayWaitsForEscapeToBeLetGo)
{
    static int polls = 0;
    polls = 0;
    AudioBackend counting = silent_backend();
    counting.pollDuh = [](AL_DUH_PLAYER*) { return ++polls, 0; };
    audioBackend = counting;
    static char player;
    musicPlayer = reinterpret_cast<AL_DUH_PLAYER*>(&player);
    bare_room(40);
    place(40, 150.0);

    key[KEY_ESC] = 1;
    std::thread releaser = release_later(KEY_ESC);
    { poll_input(); play_input(); }
    releaser.join();
    musicPlayer = nullptr;
    EXPECT_EQ(game.gameMode, Interlude);
    EXPECT_GT(polls, 0) << "the stream is fed while the key is held";
}

TEST_F(Walking, HeldQuitKeyQuitsOnlyOnANewPress)
{
    bare_room(40);
    place(40, 150.0);
    key[KEY_R] = 1;
    poll_input();  // R already down before play begins
    { poll_input(); play_input(); }
    EXPECT_EQ(game.gameMode, Play);
    EXPECT_EQ(game.currentRoom, 40);
}

TEST_F(Walking, PollInputTracksHeldAndNewPresses)
{
    key[KEY_RIGHT] = 1;
    key[KEY_LSHIFT] = 1;
    poll_input();
    EXPECT_TRUE(input.actions[size_t(Action::Walk)].held);
    EXPECT_TRUE(input.actions[size_t(Action::Walk)].pressed);
    EXPECT_TRUE(input.actions[size_t(Action::Page)].held);
    EXPECT_TRUE(input.actions[size_t(Action::Page)].pressed);
    EXPECT_FALSE(input.actions[size_t(Action::Up)].held);

    key[KEY_LSHIFT] = 0;
    key[KEY_Z] = 1;  // another action key while one was held: not a new press
    poll_input();
    EXPECT_TRUE(input.actions[size_t(Action::Walk)].held);
    EXPECT_FALSE(input.actions[size_t(Action::Walk)].pressed);
    EXPECT_TRUE(input.actions[size_t(Action::Page)].held);
    EXPECT_FALSE(input.actions[size_t(Action::Page)].pressed);

    key[KEY_Z] = 0;
    key[KEY_RIGHT] = 0;
    poll_input();
    EXPECT_FALSE(input.actions[size_t(Action::Page)].held);
    EXPECT_FALSE(input.actions[size_t(Action::Walk)].pressed);
    for (int scancode : {KEY_ENTER, KEY_SPACE, KEY_X, KEY_A, KEY_S, KEY_C, KEY_D, KEY_LCONTROL, KEY_RCONTROL,
                         KEY_RSHIFT}) {
        key[scancode] = 1;
        poll_input();
        EXPECT_TRUE(input.actions[size_t(Action::Page)].pressed) << scancode;
        key[scancode] = 0;
        poll_input();
    }
}

TEST_F(Walking, ToggleKeysFlipTheDisplayModeOnceAndWaitForRelease)
{
    game.fullscreen = false;
    key[KEY_F4] = 1;
    std::thread releaser = release_later(KEY_F4);
    poll_input();
    releaser.join();
    EXPECT_TRUE(game.fullscreen);
    EXPECT_TRUE(game.fullscreenToggleRequested);

    game.fullscreenToggleRequested = false;
    key[KEY_ALTGR] = 1;
    key[KEY_ENTER] = 1;
    releaser = release_later(KEY_ENTER);
    poll_input();
    releaser.join();
    EXPECT_FALSE(game.fullscreen);
    EXPECT_TRUE(game.fullscreenToggleRequested);
    // AltGr is still down, Enter is not: no second switch.
    game.fullscreenToggleRequested = false;
    poll_input();
    EXPECT_FALSE(game.fullscreenToggleRequested);
    EXPECT_FALSE(game.fullscreen);

    // Enter alone is an action key, not a switch.
    key[KEY_ALTGR] = 0;
    poll_input();
    key[KEY_ENTER] = 1;
    poll_input();
    EXPECT_FALSE(game.fullscreenToggleRequested);
    EXPECT_TRUE(input.actions[size_t(Action::Page)].pressed);
}

}  // namespace

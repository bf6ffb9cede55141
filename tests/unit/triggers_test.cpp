// Triggers, the war ambience, the timed scene swap and the end of a walk after
// a slow fade.
#include <gtest/gtest.h>

#include <allegro.h>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <string>
#include <unistd.h>
#include <vector>

#include "audio/audio_backend.h"
#include "audio/sound.h"
#include "frame/fade.h"
#include "core/game_state.h"
#include "play/input.h"
#include "play/room_entry.h"
#include "play/triggers.h"
#include "play/walking.h"
#include "render/render_context.h"
#include "world/room.h"
#include "play_fixture.h"

namespace {


// Which sample was started in which frame.
std::vector<const SAMPLE*> playedSamples;

AudioBackend recording_backend()
{
    AudioBackend backend = real_audio_backend();
    backend.playSample = [](const SAMPLE* sample, int, int, int, int) {
        playedSamples.push_back(sample);
        return 0;
    };
    backend.stopSample = [](const SAMPLE*) {};
    return backend;
}

class Triggers : public PlayFixture {
protected:
    void SetUp() override
    {
        start_play(recording_backend());
        for (int i = 0; i < SOUND_EFFECT_COUNT; ++i) {
            savedSamples[i] = soundEffects[i];
            samples[i] = create_sample(8, 0, 11025, 16);
            soundEffects[i] = samples[i];
        }
        playedSamples.clear();
    }
    void TearDown() override
    {
        for (int i = 0; i < SOUND_EFFECT_COUNT; ++i) {
            soundEffects[i] = savedSamples[i];
            destroy_sample(samples[i]);
        }
        PlayFixture::TearDown();
    }

    int plays_of(int index) const
    {
        int count = 0;
        for (const SAMPLE* s : playedSamples) count += s == samples[index];
        return count;
    }

    SAMPLE* savedSamples[SOUND_EFFECT_COUNT] = {};
    SAMPLE* samples[SOUND_EFFECT_COUNT] = {};
};

TEST_F(Triggers, FiresOnceAtItsXAndAgainAfterReentry)
{
    Room& room = bare_room(40);
    add_trigger(room, 9, 120);
    place(40, 117.5);
    key[KEY_RIGHT] = 1;
    frame();  // 120.0 exactly
    EXPECT_DOUBLE_EQ(game.playerX, 120.0);
    EXPECT_EQ(game.gameMode, EventScreen);
    EXPECT_EQ(game.eventCode, 9);
    EXPECT_TRUE(room.triggerFired[0]);

    game.gameMode = Play;  // the page is dismissed
    game.eventCode = 0;
    for (int i = 0; i < 10; ++i) frame();
    EXPECT_EQ(game.gameMode, Play);
    EXPECT_EQ(game.eventCode, 0);

    enter_room(40);
    world_step();
    EXPECT_EQ(game.gameMode, EventScreen);
    EXPECT_EQ(game.eventCode, 9);
}

TEST_F(Triggers, SlotOrderDecidesInRoom26)
{
    Room& pub = bare_room(26);
    add_trigger(pub, 24, 240);
    add_trigger(pub, 28, 225);
    add_trigger(pub, 29, 230);
    add_trigger(pub, 30, 235);
    add_trigger(pub, 25, 40);
    place(26, 5.0);
    key[KEY_RIGHT] = 1;

    std::vector<EventCode> shown;
    for (int i = 0; i < 120; ++i) {
        frame();
        if (game.gameMode == EventScreen) {
            shown.push_back(game.eventCode);
            game.gameMode = Play;
        }
    }
    EXPECT_EQ(shown, (std::vector<EventCode>{25, 28, 29, 30, 24}));
}

TEST_F(Triggers, EverySlotPassedInOneStepFiresTheHigherLast)
{
    Room& room = bare_room(40);
    add_trigger(room, 5, 50);
    add_trigger(room, 6, 49);
    place(40, 47.5);
    key[KEY_RIGHT] = 1;
    frame();
    EXPECT_TRUE(room.triggerFired[0]);
    EXPECT_TRUE(room.triggerFired[1]);
    EXPECT_EQ(game.eventCode, 6);
    EXPECT_EQ(game.gameMode, EventScreen);

    // A sound event and a page in the same step: both happen.
    Room& other = bare_room(41);
    add_trigger(other, -12, 70);
    add_trigger(other, 8, 69);
    place(41, 67.5);
    game.gameMode = Play;
    frame();
    EXPECT_EQ(plays_of(1), 1);
    EXPECT_EQ(game.eventCode, 8);
    EXPECT_EQ(game.gameMode, EventScreen);
}

TEST_F(Triggers, APageDoesNotStopTheExitChecksOfItsStep)
{
    Room& room = bare_room(40);
    room.hasRightExit = true;
    room.rightExitRoom = 41;
    add_trigger(room, 11, 286);
    place(40, 284.0);
    key[KEY_RIGHT] = 1;
    frame();
    EXPECT_EQ(game.gameMode, EventScreen);
    EXPECT_TRUE(game.roomChangePending);
}

TEST_F(Triggers, TriggerAtOrBelowTheEntryFiresOnTheFirstStep)
{
    Room& from = bare_room(40);
    from.hasRightExit = true;
    from.rightExitRoom = 41;
    Room& to = bare_room(41);
    add_trigger(to, 3, 5);
    add_trigger(to, 4, 2);
    place(40, 290.0);
    for (int i = 0; i < 10; ++i) frame();
    ASSERT_EQ(game.currentRoom, 41);
    EXPECT_EQ(game.gameMode, Play);  // the arrival step itself scanned the old room
    frame();
    EXPECT_TRUE(to.triggerFired[0]);
    EXPECT_TRUE(to.triggerFired[1]);
    EXPECT_EQ(game.eventCode, 4);
    EXPECT_EQ(game.gameMode, EventScreen);
}

TEST_F(Triggers, NoTriggerFiresDuringARoomChange)
{
    Room& room = bare_room(40);
    add_trigger(room, -12, 0);
    add_trigger(room, 7, 0);
    place(40, 100.0);
    game.roomChangePending = true;
    game.fadeState = FadeOut;
    game.exitDirection = ExitRight;
    for (int i = 0; i < 8; ++i) frame();
    EXPECT_FALSE(room.triggerFired[0]);
    EXPECT_FALSE(room.triggerFired[1]);
    EXPECT_EQ(plays_of(1), 0);
    EXPECT_EQ(game.gameMode, Play);
}

TEST_F(Triggers, WarAmbienceEveryFortyFiveFrames)
{
    bare_room(40).warAmbience = true;
    place(40, 100.0);
    std::vector<int> soundFrames;
    for (int i = 1; i <= 135; ++i) {
        int before = plays_of(2);
        frame();  // standing still
        if (plays_of(2) > before) soundFrames.push_back(i);
    }
    EXPECT_EQ(soundFrames, (std::vector<int>{1, 46, 91}));

    // Also while a room change is pending.
    Room& from = bare_room(41);
    from.warAmbience = true;
    from.hasRightExit = true;
    from.rightExitRoom = 42;
    Room& to = bare_room(42);
    to.warAmbience = true;
    place(41, 290.0);
    game.ambienceCountdown = 3;
    soundFrames.clear();
    for (int i = 1; i <= 10; ++i) {
        int before = plays_of(2);
        frame();
        if (plays_of(2) > before) soundFrames.push_back(i);
        EXPECT_EQ(game.roomChangePending, i < 10);  // the tenth frame arrives
    }
    EXPECT_EQ(soundFrames, (std::vector<int>{3}));
    // The countdown goes on in the next room: the next sound comes 45 frames
    // after the last one, not 45 after the entry.
    ASSERT_EQ(game.currentRoom, 42);
    int framesToNext = 0;
    for (int i = 1; i <= 45 && framesToNext == 0; ++i) {
        int before = plays_of(2);
        frame();
        if (plays_of(2) > before) framesToNext = i;
    }
    EXPECT_EQ(framesToNext, 3 + 45 - 10);

    // A room without the ambience leaves the countdown alone.
    bare_room(43);
    place(43, 10.0);
    int countdown = game.ambienceCountdown;
    int plays = plays_of(2);
    for (int i = 0; i < 100; ++i) frame();
    EXPECT_EQ(game.ambienceCountdown, countdown);
    EXPECT_EQ(plays_of(2), plays);
}

// A working directory holding one scene image, "p7s1a", all of one colour.
class SceneSwap : public Triggers {
protected:
    void SetUp() override
    {
        Triggers::SetUp();
        char pattern[] = "/tmp/karvelle-swap-XXXXXX";
        ASSERT_NE(mkdtemp(pattern), nullptr);
        dir = pattern;
        std::filesystem::create_directories(dir / "data/graphics/screens");
        BITMAP* picture = create_bitmap(80, 60);
        clear_to_color(picture, makecol(30, 200, 90));
        ASSERT_EQ(save_pcx((dir / "data/graphics/screens/p7s1a.pcx").c_str(), picture, nullptr), 0);
        destroy_bitmap(picture);
        oldDir = std::filesystem::current_path();
        std::filesystem::current_path(dir);

        savedScene = renderContext.sceneBitmap;
        scene = create_bitmap(80, 60);
        clear_to_color(scene, makecol(255, 255, 255));
        renderContext.sceneBitmap = scene;
    }
    void TearDown() override
    {
        renderContext.sceneBitmap = savedScene;
        if (scene) destroy_bitmap(scene);
        if (!oldDir.empty()) std::filesystem::current_path(oldDir);
        if (!dir.empty()) std::filesystem::remove_all(dir);
        Triggers::TearDown();
    }

    bool swapped() const { return getpixel(scene, 10, 10) == makecol(30, 200, 90); }

    std::filesystem::path dir, oldDir;
    BITMAP* savedScene = nullptr;
    BITMAP* scene = nullptr;
};

TEST_F(SceneSwap, Timeline)
{
    Room& room = bare_room(40);
    room.sceneImage = "somewhere";
    add_trigger(room, -11, 20);
    place(40, 17.5);
    key[KEY_RIGHT] = 1;
    frame();  // fires: frame 0 of the timeline
    ASSERT_EQ(game.fadeState, SlowFadeOut);
    ASSERT_EQ(game.fadeHoldFrames, 90);
    const double x = game.playerX;

    for (int k = 1; k <= 95; ++k) {
        frame();
        SCOPED_TRACE(k);
        if (k < 32) {
            EXPECT_EQ(game.fadeState, SlowFadeOut);
        }
        if (k == 32) {
            EXPECT_EQ(game.fadeState, Black);
            EXPECT_TRUE(game.fadeHoldReached);
            EXPECT_FALSE(swapped());
        }
        if (k == 33) {
            EXPECT_FALSE(game.fadeHoldReached);
            EXPECT_TRUE(swapped());
        }
        if (k > 32 && k < 85) {
            EXPECT_EQ(game.fadeState, Black);
        }
        if (k == 85) {
            EXPECT_EQ(game.fadeState, SlowFadeIn);
        }
        if (k < 90) {
            EXPECT_DOUBLE_EQ(game.playerX, x);
        }
        if (k == 90) {
            EXPECT_EQ(game.fadeHoldFrames, 0);
            EXPECT_DOUBLE_EQ(game.playerX, x + 2.5);
            EXPECT_EQ(game.fadeState, SlowFadeIn);  // still fading in
        }
    }
    EXPECT_EQ(room.sceneImage, "somewhere");
    EXPECT_EQ(game.currentRoom, 40);
    EXPECT_EQ(game.gameMode, Play);
}

TEST_F(Triggers, SlowFadeInRoom20GoesOnInRoom21)
{
    Room& bedroom = bare_room(20);
    add_trigger(bedroom, -6, 50);
    bare_room(21);
    place(20, 50.0);
    frame();  // fires
    ASSERT_EQ(game.fadeState, SlowFadeOut);
    for (int k = 1; k <= 31; ++k) {
        frame();
        ASSERT_EQ(game.currentRoom, 20);
    }
    frame();
    EXPECT_EQ(game.currentRoom, 21);
    EXPECT_DOUBLE_EQ(game.playerX, 60.0);
    EXPECT_EQ(game.fadeState, FadeIn);
    EXPECT_EQ(game.eventCode, 0);
    EXPECT_EQ(game.gameMode, Play);
    EXPECT_FALSE(game.roomChangePending);
}

TEST_F(Triggers, SlowFadeAnywhereElseEndsInTheInterlude)
{
    Room& room = bare_room(40);
    add_trigger(room, -9, 50);
    place(40, 50.0);
    game.isInjured = true;
    frame();  // fires
    for (int k = 1; k <= 31; ++k) {
        frame();
        ASSERT_EQ(game.gameMode, Play);
    }
    frame();  // the slow fade is complete
    EXPECT_EQ(game.gameMode, Interlude);
    EXPECT_EQ(game.currentRoom, 0);
    EXPECT_DOUBLE_EQ(game.playerX, 60.0);
    EXPECT_EQ(game.eventCode, 0);
    EXPECT_EQ(game.fadeState, FadeIn);
    EXPECT_TRUE(game.endingsFound[1]);
    EXPECT_FALSE(game.isInjured);
}

}  // namespace

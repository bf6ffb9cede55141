// The pause: whole frames of the main loop run with P pressed, and nothing moves
// until P again; then the game goes on from exactly where it stood.
#include <gtest/gtest.h>

#include <allegro.h>

#include <algorithm>
#include <vector>

#include "audio/audio_backend.h"
#include "audio/music.h"
#include "audio/sound.h"
#include "events/event_screen.h"
#include "events/narration.h"
#include "core/game_state.h"
#include "frame/game_setup.h"
#include "frame/main_loop.h"
#include "frame/pause.h"
#include "play/input.h"
#include "render/render_context.h"
#include "world/room.h"
#include "test_support.h"

namespace {

// A music stream that moves on by a buffer each poll, unless paused; and the
// samples held and let go.
struct FakeMusic {
    bool paused = false;
    long position = 0;
    float volume = 0.8f;
} music;
char fakePlayer;
std::vector<std::pair<const SAMPLE*, bool>> holds;

AudioBackend fake_backend()
{
    AudioBackend b{};
    b.pauseDuh = [](AL_DUH_PLAYER*) { music.paused = true; };
    b.resumeDuh = [](AL_DUH_PLAYER*) { music.paused = false; };
    b.setDuhVolume = [](AL_DUH_PLAYER*, float v) { music.volume = v; };
    b.pollDuh = [](AL_DUH_PLAYER*) {
        if (!music.paused) music.position += 800;
        return 0;
    };
    b.playSample = [](const SAMPLE*, int, int, int, int) { return 1; };
    b.stopSample = [](const SAMPLE*) {};
    b.holdSample = [](const SAMPLE* s, bool hold) { holds.push_back({s, hold}); };
    return b;
}

// What must stand still during the pause and go on after it.
struct Moment {
    double playerX;
    int32_t fadeState, fadeLevel, pulse100, pulse255, frames;
    long musicPosition;
    bool operator==(const Moment&) const = default;
};

Moment now()
{
    return {game.playerX, game.fadeState, game.fadeLevel, game.pulse100, game.pulse255, frames_run(), music.position};
}

class PauseTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensure_allegro();
        saved = renderContext;
        renderContext.lowResBuffer = create_bitmap(320, 240);
        renderContext.backBuffer = create_bitmap(640, 480);
        renderContext.sceneBitmap = create_bitmap(80, 60);
        clear_to_color(renderContext.sceneBitmap, makecol(250, 250, 250));
        for (BITMAP*& page : renderContext.pages) page = nullptr;
        savedBackend = audioBackend;
        audioBackend = fake_backend();
        savedSample = soundEffects[2];
        soundEffects[2] = sample = create_sample(16, 0, 44100, 44100);
        construct_game_state();
        soundEffects[2] = sample;
        reset_music_state();
        musicPlayer = reinterpret_cast<AL_DUH_PLAYER*>(&fakePlayer);
        music = FakeMusic{};
        holds.clear();
        reset_input();
        reset_pause();
        reset_narration();
        for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
        // A key wait never blocks a test: no window has the keyboard.
        savedFocus = keyboardFocused;
        keyboardFocused = [] { return false; };
        // Walking into room 2, the fade-in of the room half done.
        game.gameMode = Play;
        game.currentRoom = 2;
        game.playerX = 20.0;
        game.fadeState = FadeIn;
        game.fadeLevel = 225;
        key[KEY_RIGHT] = 1;
    }
    void TearDown() override
    {
        for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
        reset_pause();
        keyboardFocused = savedFocus;
        destroy_bitmap(renderContext.lowResBuffer);
        destroy_bitmap(renderContext.backBuffer);
        destroy_bitmap(renderContext.sceneBitmap);
        renderContext = saved;
        soundEffects[2] = savedSample;
        destroy_sample(sample);
        reset_music_state();
        audioBackend = savedBackend;
        construct_game_state();
    }
    static void frames(int count)
    {
        for (int i = 0; i < count; ++i) ASSERT_TRUE(run_frame(renderContext));
    }
    // Whether the test's war sound was held (or let go).
    bool held(bool hold) const
    {
        return std::find(holds.begin(), holds.end(), std::make_pair(static_cast<const SAMPLE*>(sample), hold)) !=
               holds.end();
    }
    static void tap_pause()
    {
        key[KEY_P] = 1;
        frames(1);
        key[KEY_P] = 0;
    }

    RenderContext saved;
    bool (*savedFocus)() = nullptr;
    AudioBackend savedBackend{};
    SAMPLE* sample = nullptr;
    SAMPLE* savedSample = nullptr;
};

TEST_F(PauseTest, NothingMovesUntilPAgainAndThenEverythingGoesOnFromThere)
{
    frames(3);
    EXPECT_GT(game.playerX, 20.0) << "walking";
    const int before = getr(getpixel(renderContext.backBuffer, 300, 20));

    tap_pause();
    ASSERT_TRUE(gamePaused);
    const Moment stopped = now();
    frames(60);  // a second, Right still held
    EXPECT_EQ(now(), stopped) << "frames, player, fade, pulses and music all stand";
    EXPECT_TRUE(music.paused);
    EXPECT_FLOAT_EQ(music.volume, 0.0f);
    EXPECT_TRUE(held(true)) << "the war sound stops";
    // The last frame stays, dimmed.
    const int dimmed = getr(getpixel(renderContext.backBuffer, 300, 20));
    EXPECT_LT(dimmed, before * 3 / 4);
    EXPECT_GT(dimmed, 0);

    tap_pause();
    EXPECT_FALSE(gamePaused);
    EXPECT_EQ(now(), stopped) << "the frame of the second P still shows the pause";
    EXPECT_FALSE(music.paused);
    EXPECT_FLOAT_EQ(music.volume, musicVolume);
    EXPECT_TRUE(held(false)) << "the war sound goes on";

    frames(1);
    const Moment after = now();
    EXPECT_EQ(after.frames, stopped.frames + 1);
    EXPECT_DOUBLE_EQ(after.playerX, stopped.playerX + 2.5);
    EXPECT_EQ(after.fadeLevel, stopped.fadeLevel - 30) << "the fade goes on from its level";
    EXPECT_EQ(after.pulse100, stopped.pulse100 + 1);
    EXPECT_GT(after.musicPosition, stopped.musicPosition);
}

TEST_F(PauseTest, HeldPPausesOnceAndAPagePausesToo)
{
    key[KEY_RIGHT] = 0;
    game.gameMode = EventScreen;
    game.eventCode = 4;
    key[KEY_P] = 1;
    frames(10);
    EXPECT_TRUE(gamePaused) << "held, P does not flip the pause every frame";
    const Moment stopped = now();
    key[KEY_P] = 0;
    frames(10);
    EXPECT_EQ(now(), stopped);
    // The page keys do nothing while paused.
    key[KEY_SPACE] = 1;
    frames(2);
    EXPECT_EQ(game.gameMode, EventScreen);
}

TEST_F(PauseTest, EscapeOnThePauseQuits)
{
    tap_pause();
    key[KEY_ESC] = 1;
    frames(1);
    EXPECT_TRUE(game.quitRequested);
    EXPECT_FALSE(run_frame(renderContext));
}

TEST_F(PauseTest, TheVoiceSaysPaused)
{
    settings.voice = true;
    pause_game(renderContext);
    ASSERT_EQ(speechQueue.size(), 1u);
    EXPECT_EQ(speechQueue.front(), "Paused");
    resume_game();
    reset_narration();
}

}  // namespace

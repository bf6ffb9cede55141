// Captions: each sound event that makes a sound shows its caption for as long as
// the sound lasts, and only then; the war ambience shows its own; the lines sit
// at the foot of the screen over a dark band.
#include <gtest/gtest.h>

#include <allegro.h>

#include <string>
#include <vector>

#include "audio/audio_backend.h"
#include "audio/captions.h"
#include "audio/sound.h"
#include "frame/accessibility.h"
#include "core/game_state.h"
#include "frame/game_setup.h"
#include "play/triggers.h"
#include "render/foot_lines.h"
#include "text/text.h"
#include "world/room.h"
#include "test_support.h"

namespace {

using Lines = std::vector<std::string>;

constexpr const char* FONT_PATH = "/usr/share/fonts/truetype/gentiumplus/GentiumPlus-Regular.ttf";

class CaptionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensure_allegro();
        savedBackend = audioBackend;
        AudioBackend b{};
        b.playSample = [](const SAMPLE*, int, int, int, int) { return 1; };
        b.stopSample = [](const SAMPLE*) {};
        audioBackend = b;
        construct_game_state();
        // Sound n lasts n + 1 quarters of a second: 15, 30, 45 and 60 frames.
        for (int i = 0; i < SOUND_EFFECT_COUNT; ++i) {
            saved[i] = soundEffects[i];
            soundEffects[i] = samples[i] = create_sample(16, 0, 44100, 44100 * (i + 1) / 4);
        }
        reset_captions();
        settings.captions = true;
    }
    void TearDown() override
    {
        for (int i = 0; i < SOUND_EFFECT_COUNT; ++i) {
            soundEffects[i] = saved[i];
            destroy_sample(samples[i]);
        }
        reset_captions();
        settings.captions = false;
        audioBackend = savedBackend;
        construct_game_state();
    }
    // Frames for which a caption shows after the event, counting the frames drawn.
    static int frames_shown(const std::string& caption)
    {
        int frames = 0;
        for (int frame = 0; frame < 200; ++frame) {
            const Lines now = active_captions();
            bool shown = false;
            for (const std::string& line : now) shown |= line == caption;
            if (!shown) break;
            ++frames;
            captions_tick();
        }
        return frames;
    }

    AudioBackend savedBackend{};
    SAMPLE* samples[SOUND_EFFECT_COUNT] = {};
    SAMPLE* saved[SOUND_EFFECT_COUNT] = {};
};

TEST_F(CaptionsTest, EverySoundingEventShowsItsCaptionForItsLengthAndNoOtherDoes)
{
    struct Expected {
        EventCode code;
        const char* caption;
        int frames;
    };
    const Expected sounding[] = {
        {-1, "[a blow; stone falls]", 15},
        {-7, "[a great blast]", 60},
        {-12, "[a great roar]", 30},
    };
    for (EventCode code = -1; code >= -12; --code) {
        construct_game_state();
        for (int i = 0; i < SOUND_EFFECT_COUNT; ++i) soundEffects[i] = samples[i];
        reset_captions();
        sound_event(code);
        const Expected* expected = nullptr;
        for (const Expected& e : sounding)
            if (e.code == code) expected = &e;
        if (!expected) {
            EXPECT_EQ(active_captions(), Lines{}) << "event " << code << " makes no sound";
            continue;
        }
        EXPECT_EQ(active_captions(), Lines{expected->caption}) << "event " << code;
        EXPECT_EQ(frames_shown(expected->caption), expected->frames) << "event " << code;
        EXPECT_EQ(active_captions(), Lines{}) << "event " << code << ": gone when the sound ends";
    }
}

TEST_F(CaptionsTest, TheWarAmbienceShowsGunsUntilTheLastBlastStopsThem)
{
    Room& room = current_room();
    room.warAmbience = true;
    game.ambienceCountdown = 1;
    war_ambience_step();
    EXPECT_EQ(active_captions(), Lines{"[guns, far off]"});
    captions_tick();
    // The blast stops the guns: only its own caption is left.
    sound_event(-7);
    EXPECT_EQ(active_captions(), Lines{"[a great blast]"});
}

TEST_F(CaptionsTest, NewestFirstAndNothingWhileOff)
{
    play_sound(2);
    play_sound(1);
    EXPECT_EQ(active_captions(), (Lines{"[a great roar]", "[guns, far off]"}));
    settings.captions = false;
    EXPECT_EQ(active_captions(), Lines{});
    // Switched on mid-sound, what is left of it shows.
    for (int frame = 0; frame < 20; ++frame) captions_tick();
    settings.captions = true;
    EXPECT_EQ(active_captions(), (Lines{"[a great roar]", "[guns, far off]"}));
    EXPECT_EQ(frames_shown("[a great roar]"), 10);
}

TEST_F(CaptionsTest, AMissingSoundShowsNoCaption)
{
    soundEffects[1] = nullptr;
    sound_event(-12);
    EXPECT_EQ(active_captions(), Lines{});
    soundEffects[1] = samples[1];
}

TEST_F(CaptionsTest, CaptionsAndTheNoticeSitAtTheFootOverADarkBand)
{
    text_init();
    static FontFace* font = [] {
        FontFace* face = face_open_file(FONT_PATH);
        return face && face_set_height(face, 28) == 0 ? face : nullptr;
    }();
    if (!font) { GTEST_SKIP() << "font not available"; }
    RenderContext context;
    context.dialogueFont = font;
    context.backBuffer = create_bitmap(640, 480);
    const int white = makecol(255, 255, 255);
    clear_to_color(context.backBuffer, white);

    // Nothing sounding and no notice: the frame is untouched.
    reset_notice();
    draw_accessibility_overlay(context);
    for (int y = 0; y < 480; y += 3)
        for (int x = 0; x < 640; x += 3) ASSERT_EQ(getpixel(context.backBuffer, x, y), white);

    play_sound(1);
    show_notice("Captions on");
    draw_accessibility_overlay(context);
    // The caption's band is the lowest, the notice's above it; above both, the picture.
    const int lowTop = 480 - FOOT_MARGIN - FOOT_BAND_HEIGHT;
    auto darkened = [&](int y) { return getr(getpixel(context.backBuffer, 320, y)) < 128; };
    auto has_text = [&](int top) {
        for (int y = top; y < top + FOOT_BAND_HEIGHT; ++y)
            for (int x = 200; x < 440; ++x)
                if (getpixel(context.backBuffer, x, y) == makecol(FOOT_TEXT_GREY, FOOT_TEXT_GREY, FOOT_TEXT_GREY))
                    return true;
        return false;
    };
    EXPECT_TRUE(darkened(lowTop + 1));
    EXPECT_TRUE(darkened(lowTop - FOOT_BAND_HEIGHT + 1));
    EXPECT_TRUE(has_text(lowTop));
    EXPECT_TRUE(has_text(lowTop - FOOT_BAND_HEIGHT));
    EXPECT_EQ(getpixel(context.backBuffer, 320, lowTop - FOOT_BAND_HEIGHT - 2), white);
    EXPECT_EQ(getpixel(context.backBuffer, 320, 479), white) << "a margin beneath";
    EXPECT_EQ(getpixel(context.backBuffer, 5, lowTop + 10), white) << "the band is as wide as its line";
    destroy_bitmap(context.backBuffer);
    reset_notice();
}

}  // namespace

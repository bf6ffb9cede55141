// The black pause after a walk: one frame before the title page, or six seconds before the end page.
#include <gtest/gtest.h>

#include <allegro.h>

#include <cerrno>
#include <cstdlib>

#include "frame/fade.h"
#include "core/game_state.h"
#include "frame/game_setup.h"
#include "play/input.h"
#include "play/interlude_input.h"
#include "render/interlude.h"
#include "render/render_context.h"
#include "test_support.h"

namespace {


class InterludeTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensure_allegro();
        construct_game_state();
        reset_input();
        renderContext = RenderContext{};
        renderContext.lowResBuffer = create_bitmap(320, 240);
        renderContext.backBuffer = create_bitmap(640, 480);
        clear_to_color(renderContext.lowResBuffer, makecol(255, 255, 255));
        clear_to_color(renderContext.backBuffer, makecol(255, 255, 255));
        game.gameMode = Interlude;
        game.interludeClock = -240.0;
        game.fadeState = FadeIn;
        game.fadeLevel = 255;
    }
    void TearDown() override
    {
        destroy_bitmap(renderContext.lowResBuffer);
        destroy_bitmap(renderContext.backBuffer);
        renderContext = RenderContext{};
    }
    // Frames drawn in the Interlude before the mode changes, as the main loop runs them.
    int frames_until_it_leaves(int restartAt = -1)
    {
        int frames = 0;
        while (game.gameMode == Interlude && frames < 2000) {
            draw_interlude(renderContext);
            ++frames;
            if (frames == restartAt) game.fadeState = Black;
            { poll_input(); interlude_input(renderContext); }
            update_pulses();
            update_fade();
        }
        return frames;
    }
};

}  // namespace

TEST_F(InterludeTest, KindZeroDrawsOneBlackFrameThenTheTitlePage)
{
    game.interludeKind = 0;
    game.eventCode = 0;
    EXPECT_EQ(frames_until_it_leaves(), 1);
    EXPECT_EQ(game.gameMode, EventScreen);
    EXPECT_EQ(game.eventCode, 0);
    EXPECT_EQ(game.fadeState, FadeIn);
    EXPECT_EQ(game.fadeLevel, 255 - 30);  // the fade ran once after the switch
    EXPECT_EQ(getpixel(renderContext.backBuffer, 639, 479), 0);
    EXPECT_EQ(getpixel(renderContext.lowResBuffer, 100, 100), 0);
    EXPECT_EQ(renderContext.pageIndex, 1);
}

TEST_F(InterludeTest, KindOneHoldsFor362FramesThenTheEnd)
{
    game.interludeKind = 1;
    EXPECT_EQ(frames_until_it_leaves(), 362);
    EXPECT_EQ(game.gameMode, TheEnd);
    EXPECT_EQ(game.eventCode, 42);
    EXPECT_EQ(game.interludeClockWhole, -59);
    EXPECT_EQ(renderContext.pageIndex, 362 % 3);
}

TEST_F(InterludeTest, BlackRestartsTheClock)
{
    game.interludeKind = 1;
    EXPECT_EQ(frames_until_it_leaves(100), 100 + 362);
    EXPECT_EQ(game.gameMode, TheEnd);
}

TEST_F(InterludeTest, KeysHaveNoEffectAndTheBufferIsEmptied)
{
    game.interludeKind = 1;
    key[KEY_ESC] = 1;
    key[KEY_ENTER] = 1;
    key[KEY_BACKSPACE] = 1;
    simulate_keypress((KEY_A << 8) | 'a');
    ASSERT_TRUE(keypressed());
    draw_interlude(renderContext);
    { poll_input(); interlude_input(renderContext); }
    EXPECT_FALSE(keypressed());
    EXPECT_EQ(game.gameMode, Interlude);
    EXPECT_FALSE(game.quitRequested);
    EXPECT_DOUBLE_EQ(game.interludeClock, -239.5);
    key[KEY_ESC] = 0;
    key[KEY_ENTER] = 0;
    key[KEY_BACKSPACE] = 0;
}

TEST_F(InterludeTest, FadeIsDrawnOverTheBlackAndTheDiagnosticLineNeedsAFont)
{
    game.switchCallbackFailed = true;  // no font: nothing to draw, nothing breaks
    draw_interlude(renderContext);
    EXPECT_EQ(getpixel(renderContext.backBuffer, 10, 10), 0);
    EXPECT_EQ(game.interludeClockWhole, -240);
    game.interludeClock = -59.5;
    draw_interlude(renderContext);
    EXPECT_EQ(game.interludeClockWhole, -59);
}

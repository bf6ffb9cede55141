// Calm mode: the shadows and the page backdrop hold their random pattern for a
// third of a second, a flash rises and falls softly, the plasma slows to a third;
// with calm mode off the same frames flicker and flash as ever.
#include <gtest/gtest.h>

#include <allegro.h>

#include <cstdlib>
#include <set>
#include <vector>

#include "events/event_screen.h"
#include "core/game_state.h"
#include "frame/game_setup.h"
#include "render/calm.h"
#include "render/lookup_tables.h"
#include "render/render_context.h"
#include "render/scene.h"
#include "world/room.h"
#include "test_support.h"

namespace {

class CalmTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensure_allegro();
        construct_game_state();
        fill_lookup_tables();
        fill_colour_ramp();
        srand(11);
        reset_calm();
        settings.calm = false;
        context = &renderContext;
        *context = RenderContext{};
        context->lowResBuffer = create_bitmap(320, 240);
        context->backBuffer = create_bitmap(640, 480);
        context->sceneBitmap = create_bitmap(80, 60);
        clear_to_color(context->sceneBitmap, makecol(90, 90, 90));
        for (BITMAP*& tile : context->spriteTiles) {
            tile = create_bitmap(25, 25);
            clear_to_color(tile, makecol(255, 0, 255));  // all mask: nothing drawn
        }
        game.fadeState = Idle;
        game.playerX = 10.0;
    }
    void TearDown() override
    {
        destroy_bitmap(context->lowResBuffer);
        destroy_bitmap(context->backBuffer);
        destroy_bitmap(context->sceneBitmap);
        for (BITMAP* tile : context->spriteTiles) destroy_bitmap(tile);
        *context = RenderContext{};
        settings.calm = false;
        reset_calm();
    }

    // The low-resolution picture, pixel by pixel.
    std::vector<int> picture() const
    {
        std::vector<int> pixels;
        for (int y = 0; y < 240; ++y)
            for (int x = 0; x < 320; ++x) pixels.push_back(getpixel(context->lowResBuffer, x, y));
        return pixels;
    }
    double mean_brightness() const
    {
        double sum = 0;
        for (int c : picture()) sum += (getr32(c) + getg32(c) + getb32(c)) / 3.0;
        return sum / (320 * 240);
    }
    // How many of `frames` frames, each drawn by `draw`, differ from the one before.
    template <typename Draw>
    int changes_over(int frames, Draw draw)
    {
        draw();
        std::vector<int> last = picture();
        int changes = 0;
        for (int frame = 1; frame < frames; ++frame) {
            draw();
            std::vector<int> now = picture();
            if (now != last) ++changes;
            last = std::move(now);
        }
        return changes;
    }
    RenderContext* context = nullptr;
};

}  // namespace

TEST_F(CalmTest, ShadowOfRoom61ChangesAtMostThreeTimesInSixtyFrames)
{
    game.currentRoom = 61;
    auto frame = [&] { draw_scene(*context); };
    EXPECT_EQ(changes_over(60, frame), 59) << "without calm mode the shadow flickers every frame";

    settings.calm = true;
    const int changes = changes_over(60, frame);
    EXPECT_LE(changes, 3);
    EXPECT_GE(changes, 2) << "the pattern still moves";

    // The same look: the shadow covers x 240 to 319 with opacities 25..124 of 255
    // over the grey scene (90), so each cell is between 41 and 81; the rest is clear.
    std::set<int> levels;
    for (int y = 0; y < 240; y += 4) {
        EXPECT_EQ(getr32(getpixel(context->lowResBuffer, 100, y)), 90);
        for (int x = 240; x < 320; x += 4) {
            const int level = getr32(getpixel(context->lowResBuffer, x, y));
            EXPECT_GE(level, 90 - 90 * 124 / 255 - 1);
            EXPECT_LE(level, 90 - 90 * 25 / 255 + 1);
            levels.insert(level);
        }
    }
    EXPECT_GT(levels.size(), 20u) << "a random pattern, not one even shade";
}

TEST_F(CalmTest, TitleBackdropChangesAtMostThreeTimesInSixtyFrames)
{
    // The pulse is held still, so only the pattern could change the picture.
    auto frame = [&] { draw_noise_backdrop(*context); };
    EXPECT_EQ(changes_over(60, frame), 59);

    settings.calm = true;
    const int changes = changes_over(60, frame);
    EXPECT_LE(changes, 3);
    EXPECT_GE(changes, 2);
    std::set<int> levels;
    for (int y = 0; y < 240; y += 4)
        for (int x = 0; x < 320; x += 4) levels.insert(getr32(getpixel(context->lowResBuffer, x, y)));
    EXPECT_GT(levels.size(), 10u);
    EXPECT_LE(*levels.rbegin(), 48 - 48 * 25 / 255 + 1);
    EXPECT_GE(*levels.begin(), 48 - 48 * 124 / 255 - 1);
}

TEST_F(CalmTest, FlashesRiseAndFallSoftlyOverMoreThanHalfASecond)
{
    game.currentRoom = 100;
    room_at(100) = Room{};
    clear_to_color(context->sceneBitmap, makecol(20, 20, 20));  // a dark room
    const double plain = (draw_scene(*context), mean_brightness());

    // The white flash of the war's end and the red one of the bridge.
    for (int red : {228, 222}) {
        for (bool calm : {false, true}) {
            settings.calm = calm;
            reset_calm();
            game.flashRed = red;
            game.flashGreenBlue = red == 228 ? 228 : 28;
            game.flashFrames = red == 228 ? 31 : 8;
            double last = plain, largestStep = 0, brightest = plain;
            int litFrames = 0;
            for (int frame = 0; frame < 90; ++frame) {
                draw_scene(*context);
                const double now = mean_brightness();
                largestStep = std::max(largestStep, std::abs(now - last));
                brightest = std::max(brightest, now);
                if (std::abs(now - plain) > 1) ++litFrames;
                last = now;
            }
            EXPECT_NEAR(last, plain, 0.01) << "the flash is over";
            EXPECT_LE(litFrames, std::max(CALM_FLASH_FRAMES, red == 228 ? 31 : 8))
                << "no longer than the flash or half a second";
            if (calm) {
                EXPECT_LE(largestStep, 8.0) << "flash " << red;
                EXPECT_GE(litFrames, 30) << "at least half a second";
                EXPECT_GT(brightest - plain, 20.0) << "still seen";
            } else {
                EXPECT_GT(largestStep, 40.0) << "the ordinary flash is a jump";
            }
        }
    }
}

TEST_F(CalmTest, CalmFlashOpacityIsATriangle)
{
    for (int length : {CALM_FLASH_FRAMES, 31}) {
        EXPECT_EQ(calm_flash_opacity(-1, length), 0);
        EXPECT_EQ(calm_flash_opacity(length, length), 0);
        EXPECT_EQ(calm_flash_opacity((length + 1) / 2 - 1, length), CALM_FLASH_PEAK);
        const int half = (length + 1) / 2;
        int last = 0;
        for (int frame = 0; frame <= length; ++frame) {
            const int now = calm_flash_opacity(frame, length);
            EXPECT_LE(std::abs(now - last), (CALM_FLASH_PEAK + half - 1) / half) << "frame " << frame;
            last = now;
        }
    }
}

TEST_F(CalmTest, PlasmaMovesAtAThirdOfItsSpeed)
{
    game.currentRoom = 62;
    const int start = plasmaPhase;
    for (int frame = 0; frame < 30; ++frame) draw_scene(*context);
    EXPECT_EQ(plasmaPhase - start, 30);

    settings.calm = true;
    const int calmStart = plasmaPhase;
    for (int frame = 0; frame < 30; ++frame) draw_scene(*context);
    EXPECT_EQ(plasmaPhase - calmStart, 10);
}

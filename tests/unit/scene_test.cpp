// One Play frame drawn on memory bitmaps: floor, figures, effects, shadows, flash and fade.
#include <gtest/gtest.h>

#include <allegro.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <filesystem>
#include <initializer_list>
#include <set>
#include <vector>

#include "core/game_state.h"
#include "frame/game_setup.h"
#include "render/lookup_tables.h"
#include "render/present.h"
#include "render/render_context.h"
#include "render/scene.h"
#include "text/text.h"
#include "world/room.h"
#include "test_support.h"

namespace {

constexpr int TEST_ROOM = 100;  // an unused slot, plain by default


int tile_colour(int n) { return makecol(4 * n, 100, 255 - 3 * n); }

// Fresh state and a context of memory bitmaps; tile n is filled with tile_colour(n).
class SceneTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensure_allegro();
        construct_game_state();
        fill_lookup_tables();
        fill_colour_ramp();
        srand(7);
        context = &renderContext;
        *context = RenderContext{};
        context->lowResBuffer = create_bitmap(320, 240);
        context->backBuffer = create_bitmap(640, 480);
        context->sceneBitmap = create_bitmap(80, 60);
        clear_to_color(context->sceneBitmap, white());
        for (int n = 0; n < SPRITE_TILE_COUNT; ++n) {
            context->spriteTiles[n] = create_bitmap(25, 25);
            clear_to_color(context->spriteTiles[n], tile_colour(n));
        }
        game.currentRoom = TEST_ROOM;
        room_at(TEST_ROOM) = Room{};
        game.playerX = 10.0;
        game.fadeState = Idle;
    }
    void TearDown() override
    {
        destroy_bitmap(context->lowResBuffer);
        destroy_bitmap(context->backBuffer);
        destroy_bitmap(context->sceneBitmap);
        for (BITMAP* tile : context->spriteTiles) destroy_bitmap(tile);
        *context = RenderContext{};
    }
    static int white() { return makecol(255, 255, 255); }
    int low(int x, int y) const { return getpixel(context->lowResBuffer, x, y); }
    // The first y, scanning down column x, that shows the colour.
    int top_of(int colour, int x) const
    {
        for (int y = 0; y < 240; ++y)
            if (low(x, y) == colour) return y;
        return -1;
    }
    void use_room(int index)
    {
        game.currentRoom = index;
        room_at(index) = Room{};
    }
    RenderContext* context = nullptr;
};

}  // namespace

TEST_F(SceneTest, GroundLineFlatSlopeAndDrunkenSway)
{
    draw_scene(*context);
    EXPECT_EQ(game.groundY, 160);
    EXPECT_EQ(top_of(tile_colour(0), 11), 160);

    room_at(TEST_ROOM).groundMode = 1;
    game.playerX = 55.0;
    draw_scene(*context);
    EXPECT_EQ(game.groundY, 150);
    EXPECT_EQ(top_of(tile_colour(0), 56), 150);
    game.playerX = 57.9;  // the x is truncated before the division
    draw_scene(*context);
    EXPECT_EQ(game.groundY, 149);

    room_at(TEST_ROOM).drunkenWalk = true;
    game.playerX = 30.0;  // 4 x SineTable[90] is -3.99..., truncated to -3
    draw_scene(*context);
    EXPECT_EQ(game.groundY, 163);
    game.playerX = 90.0;  // index 270
    draw_scene(*context);
    EXPECT_EQ(game.groundY, 157);
    EXPECT_EQ(top_of(tile_colour(0), 91), 157);
}

TEST_F(SceneTest, TileSizeClasses)
{
    clear_to_color(context->lowResBuffer, 0);
    draw_tile(12, 10, 100);  // 100 x 100 from (10, 56)
    EXPECT_EQ(low(10, 56), tile_colour(12));
    EXPECT_EQ(low(109, 155), tile_colour(12));
    EXPECT_NE(low(110, 100), tile_colour(12));
    EXPECT_NE(low(50, 55), tile_colour(12));
    EXPECT_NE(low(50, 156), tile_colour(12));

    clear_to_color(context->lowResBuffer, 0);
    draw_tile(44, 200, 100);  // 65 x 65 from (200, 86)
    EXPECT_EQ(low(200, 86), tile_colour(44));
    EXPECT_EQ(low(264, 150), tile_colour(44));
    EXPECT_NE(low(265, 120), tile_colour(44));
    EXPECT_NE(low(230, 85), tile_colour(44));

    clear_to_color(context->lowResBuffer, 0);
    draw_tile(7, 30, 30);  // 50 x 50 from (30, 30)
    EXPECT_EQ(low(30, 30), tile_colour(7));
    EXPECT_EQ(low(79, 79), tile_colour(7));
    EXPECT_NE(low(80, 50), tile_colour(7));
    EXPECT_NE(low(50, 80), tile_colour(7));

    // Pink is the mask colour and is left out; a missing tile or number draws nothing.
    clear_to_color(context->lowResBuffer, 0);
    putpixel(context->spriteTiles[7], 0, 0, makecol(255, 0, 255));
    draw_tile(7, 30, 30);
    EXPECT_EQ(low(30, 30), 0);
    destroy_bitmap(context->spriteTiles[8]);
    context->spriteTiles[8] = nullptr;
    draw_tile(8, 0, 0);
    draw_tile(64, 0, 0);
    draw_tile(-1, 0, 0);
    EXPECT_EQ(low(5, 5), 0);
}

TEST_F(SceneTest, ClockHandsForEveryClockHand)
{
    const int marks[5][2] = {{14, 22}, {12, 21}, {11, 19}, {12, 17}, {13, 16}};
    int grey = makecol(137, 137, 137), dark = makecol(37, 37, 37);
    room_at(TEST_ROOM).hasClock = true;
    for (int hand : {0, 1, 2, 3, 4, 7}) {
        clear_to_color(context->sceneBitmap, white());
        game.clockHand = hand;
        draw_scene(*context);
        EXPECT_EQ(getpixel(context->sceneBitmap, 14, 16), dark);
        for (int m = 0; m < 5; ++m)
            EXPECT_EQ(getpixel(context->sceneBitmap, marks[m][0], marks[m][1]), m == hand ? dark : grey)
                << "hand " << hand << " mark " << m;
        EXPECT_EQ(getpixel(context->sceneBitmap, 20, 19), white());
    }
    // The clock body over the scene.
    EXPECT_EQ(low(233, 127), tile_colour(14));
}

TEST_F(SceneTest, PlasmaFillsTheSceneWithTheRampAndMovesWithItsPhase)
{
    use_room(62);
    // The picture at a phase: every scene pixel, read after a frame is drawn.
    auto picture = [&](int phase) {
        plasmaPhase = phase - 1;
        draw_scene(*context);
        EXPECT_EQ(plasmaPhase, phase);
        std::vector<int> pixels;
        for (int i = 0; i < 60; ++i)
            for (int j = 0; j < 80; ++j) pixels.push_back(getpixel(context->sceneBitmap, j, i));
        return pixels;
    };
    const std::vector<int> ramp(ColourRamp, ColourRamp + 256);
    const std::vector<int> at41 = picture(41);
    std::set<int> colours(at41.begin(), at41.end());
    for (int colour : colours) EXPECT_NE(std::find(ramp.begin(), ramp.end(), colour), ramp.end()) << colour;
    EXPECT_GT(colours.size(), 20u) << "a plasma, not a flat fill";
    // It moves every frame, and comes round again once every term has turned
    // whole circles (the slowest, a sixth of the phase, after 2160 frames).
    const std::vector<int> at42 = picture(42);
    int moved = 0;
    for (size_t k = 0; k < at41.size(); ++k) moved += at41[k] != at42[k];
    EXPECT_GT(moved, int(at41.size()) / 2);
    EXPECT_EQ(picture(41 + 2160), at41);
    // The scene as drawn on the frame is the plasma, each scene pixel a 4x4 block.
    const std::vector<int> again = picture(41);
    for (auto [i, j] : {std::pair{0, 0}, {59, 79}, {17, 33}})
        EXPECT_EQ(low(4 * j + 2, 4 * i + 2), again[i * 80 + j]) << i << "," << j;
}

namespace {

struct Probes {
    bool top, right, bottom, from200, from240, from260;
};

}  // namespace

// Which areas of a white room come out darker, for one room and set of endings.
static Probes shadows(int room, std::initializer_list<int> endings)
{
    construct_game_state();
    srand(3);
    game.currentRoom = room;
    room_at(room) = Room{};
    game.playerX = 10.0;
    for (int e : endings) game.endingsFound[e] = true;
    clear_to_color(renderContext.sceneBitmap, makecol(255, 255, 255));
    draw_scene(renderContext);
    auto dark = [](int x, int y) { return getpixel(renderContext.lowResBuffer, x, y) != makecol(255, 255, 255); };
    return {dark(100, 50), dark(300, 200), dark(150, 230), dark(210, 200), dark(245, 200), dark(262, 200)};
}

TEST_F(SceneTest, EndingShadowsByRoomAndEndings)
{
    auto is = [](Probes p, bool top, bool bottom, int stripFrom) {
        return p.top == top && p.bottom == bottom && p.right == (stripFrom > 0) && p.from200 == (stripFrom == 200) &&
               p.from240 == (stripFrom == 200 || stripFrom == 240) && p.from260 == (stripFrom > 0);
    };
    EXPECT_TRUE(is(shadows(3, {6, 7}), false, false, 260));
    EXPECT_TRUE(is(shadows(3, {1, 2, 3, 4, 5}), true, false, 0));
    EXPECT_TRUE(is(shadows(3, {1, 2, 3, 4, 5, 6, 7}), false, false, 0));
    EXPECT_TRUE(is(shadows(3, {1, 2, 3, 4, 6}), false, false, 0));
    EXPECT_TRUE(is(shadows(8, {7}), false, false, 200));
    EXPECT_TRUE(is(shadows(8, {6}), true, false, 0));
    EXPECT_TRUE(is(shadows(8, {6, 7}), false, false, 0));
    EXPECT_TRUE(is(shadows(13, {1, 2, 3}), false, false, 240));
    EXPECT_TRUE(is(shadows(13, {4, 5, 1}), false, true, 0));
    EXPECT_TRUE(is(shadows(13, {1, 2, 3, 4, 5}), false, false, 0));
    EXPECT_TRUE(is(shadows(16, {4}), true, false, 0));
    EXPECT_TRUE(is(shadows(16, {5, 8}), false, false, 240));
    EXPECT_TRUE(is(shadows(25, {1, 2}), true, false, 0));
    EXPECT_TRUE(is(shadows(25, {3, 1}), false, false, 240));
    EXPECT_TRUE(is(shadows(25, {1, 2, 3}), false, false, 0));
    EXPECT_TRUE(is(shadows(26, {1}), true, false, 0));
    EXPECT_TRUE(is(shadows(26, {2}), false, false, 240));
    EXPECT_TRUE(is(shadows(26, {1, 2}), false, false, 0));
    EXPECT_TRUE(is(shadows(61, {}), false, false, 240));
    EXPECT_TRUE(is(shadows(61, {1, 2, 3, 4, 5, 6, 7, 8}), false, false, 240));
    EXPECT_TRUE(is(shadows(4, {1, 2, 3, 4, 5, 6, 7, 8}), false, false, 0));
}

TEST_F(SceneTest, ShadowCellsBlendAtTheirOwnOpacity)
{
    shadows(61, {});
    // Every pixel of one 4x4 cell is equally dark, neighbouring cells mostly differ,
    // and no cell is darker than opacity 124 or lighter than 25 allows.
    int cellColours = 0, previous = -1;
    for (int cy = 0; cy < 10; ++cy) {
        int colour = getpixel(renderContext.lowResBuffer, 240, 4 * cy);
        for (int d = 0; d < 16; ++d) EXPECT_EQ(getpixel(renderContext.lowResBuffer, 240 + d % 4, 4 * cy + d / 4), colour);
        EXPECT_LE(getr(colour), 255 - 255 * 26 / 256 + 1);
        EXPECT_GE(getr(colour), 255 - 255 * 125 / 256 - 1);
        cellColours += colour != previous;
        previous = colour;
    }
    EXPECT_GT(cellColours, 5);
}

TEST_F(SceneTest, FlashThenFadeThenDiagnosticLine)
{
    game.flashFrames = 2;
    game.flashRed = 200;
    game.flashGreenBlue = 50;
    draw_scene(*context);
    EXPECT_EQ(game.flashFrames, 1);
    EXPECT_EQ(low(160, 120), makecol(200, 50, 50));
    EXPECT_EQ(getpixel(context->backBuffer, 321, 241), makecol(200, 50, 50));

    // The fade darkens everything, the flash included.
    game.fadeState = FadeOut;
    game.fadeLevel = 128;
    draw_scene(*context);
    EXPECT_EQ(game.flashFrames, 0);
    int faded = low(160, 120);
    EXPECT_NEAR(getr(faded), 200 * (256 - 129) / 256, 1);
    EXPECT_NEAR(getg(faded), 50 * (256 - 129) / 256, 1);

    // No flash left: the white scene, faded to about half.
    draw_scene(*context);
    EXPECT_NEAR(getr(low(160, 5)), 255 * (256 - 129) / 256, 1);

    // The diagnostic line is drawn after the fade, on the full-size frame, at full colour.
    std::string font = std::filesystem::exists("/usr/share/fonts/truetype/gentiumplus/GentiumPlus-Regular.ttf")
                           ? "/usr/share/fonts/truetype/gentiumplus/GentiumPlus-Regular.ttf"
                           : "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
    text_init();
    context->dialogueFont = face_open_file(font.c_str());
    face_set_height(context->dialogueFont, 28);
    game.switchCallbackFailed = true;
    draw_scene(*context);
    int text = 0;
    for (int y = 0; y < 40; ++y)
        for (int x = 0; x < 300; ++x) text += getpixel(context->backBuffer, x, y) == makecol(255, 128, 128);
    EXPECT_GT(text, 20);
    for (int y = 0; y < 240; ++y)
        for (int x = 0; x < 320; ++x) ASSERT_NE(low(x, y), makecol(255, 128, 128));
}

TEST_F(SceneTest, PlayerSpritesHintsAndFollower)
{
    Room& room = room_at(TEST_ROOM);
    game.playerX = 100.0;
    game.playerFrame = 2;
    draw_scene(*context);
    EXPECT_EQ(low(101, 161), tile_colour(2));
    game.isInjured = true;
    draw_scene(*context);
    EXPECT_EQ(low(101, 161), tile_colour(7));
    game.inUniform = true;
    draw_scene(*context);
    EXPECT_EQ(low(101, 161), tile_colour(50));
    game.isKnight = game.hasCompanions = true;
    draw_scene(*context);
    EXPECT_EQ(low(101, 161), tile_colour(26));
    EXPECT_EQ(low(51, 161), tile_colour(34));
    EXPECT_EQ(low(1, 161), tile_colour(37));

    // The up hint bobs with pulse255 above the player in the exit column (column 2 at x 100).
    game.isKnight = game.hasCompanions = game.inUniform = game.isInjured = false;
    room.hasUpExit = true;
    room.upExitColumn = 2;
    room.hasDownExit = true;
    room.downExitColumn = 3;
    game.pulse255 = 255;  // bob 3
    draw_scene(*context);
    EXPECT_EQ(top_of(tile_colour(56), 111), 137);
    EXPECT_EQ(top_of(tile_colour(57), 111), -1);
    room.downExitColumn = 2;
    game.pulse255 = 0;
    draw_scene(*context);
    EXPECT_EQ(top_of(tile_colour(57), 111), 212);

    // A follower walks one unit a frame behind the player and is drawn over him.
    room = Room{};
    room.followerMode = 1;
    room.followerSprite = 40;
    room.followerFrame = 1;
    room.followerX = 60;
    draw_scene(*context);
    EXPECT_EQ(room.followerX, 61);
    EXPECT_EQ(low(109, 161), tile_colour(41));  // over the player at 100
    room.followerX = 70;
    draw_scene(*context);
    EXPECT_EQ(room.followerX, 70);  // playerX - 30 is not beyond it
}

TEST_F(SceneTest, PagesCycleWithoutADisplayAndNullBitmapsAreSafe)
{
    std::vector<int> seen;
    for (int frame = 0; frame < 5; ++frame) {
        seen.push_back(context->pageIndex);
        draw_scene(*context);
    }
    EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 0, 1}));

    // Without a scene image, buffers or tiles a frame draws what it can and still turns the page.
    destroy_bitmap(context->sceneBitmap);
    context->sceneBitmap = nullptr;
    draw_scene(*context);
    EXPECT_EQ(low(100, 50), 0);
    BITMAP* back = context->backBuffer;
    context->backBuffer = nullptr;
    draw_scene(*context);
    context->backBuffer = back;
    BITMAP* lowBuffer = context->lowResBuffer;
    context->lowResBuffer = nullptr;
    draw_scene(*context);
    draw_tile(0, 0, 0);
    context->lowResBuffer = lowBuffer;
}

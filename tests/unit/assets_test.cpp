// Loading the drawing resources from a data directory made by the test.
#include <gtest/gtest.h>

#include <allegro.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/game_state.h"
#include "frame/game_setup.h"
#include "render/assets.h"
#include "render/render_context.h"
#include "text/text.h"
#include "world/room.h"
#include "test_support.h"

namespace fs = std::filesystem;

namespace {


int cell_colour(int n) { return makecol(n, 255 - n, 90); }

// A temporary working directory with data/graphics/ laid out as the game expects.
class AssetsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensure_allegro();
        text_init();
        construct_game_state();
        forget_missing_reports();
        renderContext = RenderContext{};
        previous = fs::current_path();
        root = fs::temp_directory_path() / ("karvelle-assets-" + std::to_string(getpid()) + "-" +
                                            ::testing::UnitTest::GetInstance()->current_test_info()->name());
        fs::create_directories(root / "data/graphics/screens");
        fs::current_path(root);
    }
    void TearDown() override
    {
        fs::current_path(previous);
        fs::remove_all(root);
        renderContext = RenderContext{};
    }
    static void save_image(const std::string& path, int w, int h, int colour)
    {
        BITMAP* image = create_bitmap(w, h);
        clear_to_color(image, colour);
        save_pcx(path.c_str(), image, nullptr);
        destroy_bitmap(image);
    }
    // A 225x225 sheet: each 25x25 cell of the 8x8 grid in its own colour, a dot
    // at each cell's top-left, and an extra row and column that no tile uses.
    static void save_sheet()
    {
        BITMAP* sheet = create_bitmap(225, 225);
        clear_to_color(sheet, makecol(255, 255, 255));
        for (int n = 0; n < 64; ++n) {
            int x = 25 * (n % 8), y = 25 * (n / 8);
            rectfill(sheet, x, y, x + 24, y + 24, cell_colour(n));
            putpixel(sheet, x, y, makecol(0, 0, 0));
        }
        save_pcx("data/graphics/spritesheet.pcx", sheet, nullptr);
        destroy_bitmap(sheet);
    }
    void lay_out_everything()
    {
        save_sheet();
        save_image("data/graphics/screens/" + room_at(0).sceneImage + ".pcx", 80, 60, makecol(10, 20, 30));
        const char* font = fs::exists("/usr/share/fonts/truetype/gentiumplus/GentiumPlus-Regular.ttf")
                               ? "/usr/share/fonts/truetype/gentiumplus/GentiumPlus-Regular.ttf"
                               : "/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf";
        fs::copy_file(font, "data/graphics/font.ttf");
    }
    fs::path previous, root;
};

}  // namespace

TEST_F(AssetsTest, LoadsEverythingAndCutsTilesFromTheirCells)
{
    lay_out_everything();
    EXPECT_TRUE(load_assets(renderContext));
    EXPECT_FALSE(game.quitRequested);
    EXPECT_EQ(face_height(renderContext.dialogueFont), 28);
    EXPECT_EQ(face_height(renderContext.titleFont), 102);
    EXPECT_EQ(face_height(renderContext.smallFont), 20);
    ASSERT_NE(renderContext.lowResBuffer, nullptr);
    EXPECT_EQ(renderContext.lowResBuffer->w, 320);
    EXPECT_EQ(renderContext.backBuffer->h, 480);
    EXPECT_EQ(renderContext.pageIndex, 0);
    for (BITMAP* page : renderContext.pages) EXPECT_EQ(page, nullptr);  // no display here
    EXPECT_EQ(getpixel(renderContext.sceneBitmap, 40, 30), makecol(10, 20, 30));

    for (int n : {0, 9, 63}) {
        BITMAP* tile = renderContext.spriteTiles[n];
        ASSERT_NE(tile, nullptr);
        EXPECT_EQ(tile->w, 25);
        EXPECT_EQ(getpixel(tile, 0, 0), makecol(0, 0, 0)) << n;
        EXPECT_EQ(getpixel(tile, 1, 0), cell_colour(n)) << n;
        EXPECT_EQ(getpixel(tile, 24, 24), cell_colour(n)) << n;
    }
}

TEST_F(AssetsTest, SceneImageIsReadAgainCroppedAndPadded)
{
    renderContext.sceneBitmap = create_bitmap(80, 60);
    BITMAP* big = create_bitmap(100, 70);
    clear_to_color(big, makecol(0, 0, 200));
    rectfill(big, 0, 0, 79, 59, makecol(200, 0, 0));
    save_pcx("data/graphics/screens/hall.pcx", big, nullptr);
    destroy_bitmap(big);
    load_scene_image("hall");
    EXPECT_EQ(getpixel(renderContext.sceneBitmap, 79, 59), makecol(200, 0, 0));
    EXPECT_EQ(getpixel(renderContext.sceneBitmap, 0, 0), makecol(200, 0, 0));

    // The same name again reads the changed file; a smaller image is padded with black.
    save_image("data/graphics/screens/hall.pcx", 40, 30, makecol(0, 150, 0));
    load_room_images("hall", "mid1", "back1");
    EXPECT_EQ(getpixel(renderContext.sceneBitmap, 39, 29), makecol(0, 150, 0));
    EXPECT_EQ(getpixel(renderContext.sceneBitmap, 40, 0), 0);
    EXPECT_EQ(getpixel(renderContext.sceneBitmap, 0, 30), 0);
    EXPECT_EQ(getpixel(renderContext.sceneBitmap, 79, 59), 0);
    EXPECT_FALSE(game.quitRequested);
    destroy_bitmap(renderContext.sceneBitmap);
}

TEST_F(AssetsTest, MissingSceneImageStopsInOrder)
{
    renderContext.sceneBitmap = create_bitmap(80, 60);
    clear_to_color(renderContext.sceneBitmap, makecol(1, 2, 3));
    load_scene_image("p4s1");
    EXPECT_TRUE(game.quitRequested);
    EXPECT_EQ(getpixel(renderContext.sceneBitmap, 10, 10), 0);
    destroy_bitmap(renderContext.sceneBitmap);
    renderContext.sceneBitmap = nullptr;

    // Without a scene bitmap nothing is read and nothing is reported.
    construct_game_state();
    load_scene_image("p4s1");
    EXPECT_FALSE(game.quitRequested);
}

// A sound PCX of `planes` planes, lines of `lineBytes` bytes all in runs, as
// large as its header says.
static void save_crafted_pcx(const std::string& path, int width, int height, int lineBytes, int planes)
{
    std::string bytes(128, '\0');
    const int header[][2] = {{0, 10}, {1, 5}, {2, 1}, {3, 8}, {8, width - 1}, {9, (width - 1) >> 8}, {10, height - 1},
                             {11, (height - 1) >> 8}, {65, planes}, {66, lineBytes}, {67, lineBytes >> 8}};
    for (const auto& [at, value] : header) bytes[size_t(at)] = char(value);
    for (long row = 0; row < long(height) * planes; ++row)
        for (int left = lineBytes; left > 0; left -= 63) bytes += {char(0xC0 | std::min(left, 63)), '\x01'};
    std::ofstream(path, std::ios::binary) << bytes << '\x0c' << std::string(768, '\0');
}

TEST_F(AssetsTest, APictureFarLargerThanTheScreenIsRefusedBeforeItIsDecoded)
{
    const std::pair<std::array<int, 4>, const char*> cases[] = {
        {{640, 480, 640, 3}, nullptr},
        {{641, 1, 642, 1}, "641x1 pixels; the game's pictures are at most 640x480"},
        {{80, 60, 65534, 1}, "80x60 pixels in lines far longer; the game's pictures are at most 640x480"},
        {{640, 480, 65534, 3}, "is larger than a picture of 640x480 can be"},
    };
    for (const auto& [sides, said] : cases) {
        construct_game_state();
        renderContext.sceneBitmap = create_bitmap(80, 60);
        save_crafted_pcx("data/graphics/screens/big.pcx", sides[0], sides[1], sides[2], sides[3]);
        testing::internal::CaptureStderr();
        load_scene_image("big");
        const std::string told = testing::internal::GetCapturedStderr();
        EXPECT_EQ(game.quitRequested, said != nullptr) << sides[0] << "x" << sides[1];
        EXPECT_TRUE(!said || told.find(said) != std::string::npos) << told;
        destroy_bitmap(renderContext.sceneBitmap);
    }
    renderContext.sceneBitmap = nullptr;
}

TEST_F(AssetsTest, MissingSheetOrFontFailsButLeavesNoNullBitmaps)
{
    lay_out_everything();
    fs::remove("data/graphics/spritesheet.pcx");
    EXPECT_FALSE(load_assets(renderContext));
    EXPECT_TRUE(game.quitRequested);
    for (BITMAP* tile : renderContext.spriteTiles) {
        ASSERT_NE(tile, nullptr);
        EXPECT_EQ(getpixel(tile, 3, 3), bitmap_mask_color(tile));  // transparent
    }

    construct_game_state();
    renderContext = RenderContext{};
    save_sheet();
    fs::remove("data/graphics/font.ttf");
    EXPECT_FALSE(load_assets(renderContext));
    EXPECT_TRUE(game.quitRequested);
    EXPECT_EQ(renderContext.dialogueFont, nullptr);
    EXPECT_NE(renderContext.backBuffer, nullptr);
}

TEST_F(AssetsTest, ReportMissingAsksForAnOrderlyStop)
{
    EXPECT_FALSE(game.quitRequested);
    ::testing::internal::CaptureStdout();  // the message box of a display-less run
    report_missing("data/graphics/screens/p4s1.pcx");
    EXPECT_TRUE(game.quitRequested);
    construct_game_state();
    report_missing("data/graphics/screens/p4s1.pcx");  // shown once, still stops
    EXPECT_TRUE(game.quitRequested);
    report_missing("bitmap backBuffer");
    std::string shown = ::testing::internal::GetCapturedStdout();
    EXPECT_EQ(shown, "Cannot load data/graphics/screens/p4s1.pcx\nCannot create bitmap backBuffer\n");
}

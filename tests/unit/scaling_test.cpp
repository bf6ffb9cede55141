// The scale setting, the factor chosen for a desktop, and the enlarged frame.
#include <gtest/gtest.h>

#include <allegro.h>

#include <cstdlib>
#include <string>

#include "core/display_options.h"
#include "core/game_state.h"
#include "frame/game_setup.h"
#include "platform/x_server.h"
#include "render/present.h"
#include "render/render_context.h"
#include "render/scaling.h"
#include "test_support.h"

namespace {

ScaleSetting read_quietly(const std::string& text, std::string& message)
{
    testing::internal::CaptureStderr();
    ScaleSetting scale = read_scale(text, "config.ini [graphics] scale");
    message = testing::internal::GetCapturedStderr();
    return scale;
}

TEST(ScaleSettingTest, WholeNumbersFromOneToEightAndAuto)
{
    struct Case { const char* text; int factor; bool automatic; };
    for (Case c : {Case{"1", 1, false}, {"2", 2, false}, {"3", 3, false}, {"8", 8, false}, {" 4 ", 4, false},
                   {"2\r", 2, false}, {"auto", 1, true}, {"auto ", 1, true}}) {
        std::string message;
        ScaleSetting scale = read_quietly(c.text, message);
        EXPECT_EQ(scale.factor, c.factor) << '"' << c.text << '"';
        EXPECT_EQ(scale.automatic, c.automatic) << '"' << c.text << '"';
        EXPECT_EQ(message, "") << '"' << c.text << '"';
    }
}

TEST(ScaleSettingTest, BadValuesSayWhyOnStderrAndGiveOne)
{
    for (const char* text : {"", "abc", "0", "-1", "-2", "9", "100", "4294967298", "99999999999999999999", "2x",
                             "2.5", "1e3", "+2", "Auto", "auto2", "0x2"}) {
        std::string message;
        ScaleSetting scale = read_quietly(text, message);
        EXPECT_EQ(scale.factor, 1) << '"' << text << '"';
        EXPECT_FALSE(scale.automatic) << '"' << text << '"';
        EXPECT_NE(message.find("config.ini [graphics] scale \"" + std::string(text) + "\""), std::string::npos)
            << message;
        EXPECT_NE(message.find("using 1"), std::string::npos) << message;
        EXPECT_EQ(message.back(), '\n');
    }
}

class DisplayOptionsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensure_allegro();
        displayOptions = DisplayOptions{};
        construct_game_state();
    }
    void TearDown() override
    {
        displayOptions = DisplayOptions{};
        set_config_data("", 0);
    }
    int take(std::vector<std::string> args, int i)
    {
        std::vector<char*> argv;
        for (std::string& arg : args) argv.push_back(arg.data());
        return take_display_option(int(argv.size()), argv.data(), i);
    }
    void use_config(const std::string& text) { set_config_data(text.c_str(), int(text.size())); }
};

TEST_F(DisplayOptionsTest, CommandLineOptionsAndTheirArguments)
{
    EXPECT_EQ(take({"karvelle", "--scale", "3"}, 1), 2);
    EXPECT_EQ(settings.scale.factor, 3);
    EXPECT_EQ(take({"karvelle", "--scale=auto"}, 1), 1);
    EXPECT_TRUE(settings.scale.automatic);
    EXPECT_EQ(take({"karvelle", "--window"}, 1), 1);
    EXPECT_EQ(displayOptions.fullscreenOption, 0);
    EXPECT_EQ(take({"karvelle", "--fullscreen"}, 1), 1);
    EXPECT_EQ(displayOptions.fullscreenOption, 1);
    EXPECT_EQ(take({"karvelle", "--trace"}, 1), 0);

    testing::internal::CaptureStderr();
    EXPECT_EQ(take({"karvelle", "--scale"}, 1), -1);  // nothing after it
    EXPECT_NE(testing::internal::GetCapturedStderr().find("--scale needs a value"), std::string::npos);

    for (const char* next : {"--paths", "--window", "--scale"}) {
        displayOptions = DisplayOptions{};
        testing::internal::CaptureStderr();
        EXPECT_EQ(take({"karvelle", "--scale", next, "2"}, 1), -1) << next << " is an option, not a value";
        EXPECT_NE(testing::internal::GetCapturedStderr().find("--scale needs a value"), std::string::npos);
        EXPECT_FALSE(displayOptions.scaleGiven);
    }

    testing::internal::CaptureStderr();
    EXPECT_EQ(take({"karvelle", "--scale", "-3"}, 1), 2);  // a bad value is used up, and scale 1 follows
    EXPECT_NE(testing::internal::GetCapturedStderr().find("--scale \"-3\" is not a whole number"), std::string::npos);
    EXPECT_EQ(settings.scale.factor, 1);
    EXPECT_FALSE(settings.scale.automatic);
}

TEST_F(DisplayOptionsTest, TheCommandLineWinsOverTheFile)
{
    use_config("[graphics]\nfullscreen = 1\nscale = 3\n");
    game.fullscreen = true;
    apply_display_options();
    EXPECT_EQ(settings.scale.factor, 3);
    EXPECT_TRUE(game.fullscreen);

    displayOptions = DisplayOptions{};
    take({"karvelle", "--scale", "2"}, 1);
    take({"karvelle", "--window"}, 1);
    apply_display_options();
    EXPECT_EQ(settings.scale.factor, 2);
    EXPECT_FALSE(game.fullscreen);

    use_config("[graphics]\nfullscreen = 0\n");  // no scale: the window of old
    displayOptions = DisplayOptions{};
    game.fullscreen = false;
    apply_display_options();
    EXPECT_EQ(settings.scale.factor, 1);
    EXPECT_FALSE(settings.scale.automatic);
    take({"karvelle", "--fullscreen"}, 1);
    apply_display_options();
    EXPECT_TRUE(game.fullscreen);

    use_config("[graphics]\nscale = huge\n");
    displayOptions = DisplayOptions{};
    testing::internal::CaptureStderr();
    apply_display_options();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("scale \"huge\""), std::string::npos);
    EXPECT_EQ(settings.scale.factor, 1);
}

TEST(DesktopFactorTest, WindowsLeaveRoomForTheTitleBarAndPanelScreensUseItAll)
{
    struct Case { int width, height, window, fullscreen; };
    for (Case c : {Case{800, 600, 1, 1}, {1366, 768, 1, 1}, {1920, 1080, 2, 2}, {2560, 1440, 2, 3},
                   {3840, 2160, 4, 4}, {640, 480, 1, 1}, {320, 200, 1, 1}, {20000, 20000, MAX_SCALE, MAX_SCALE}}) {
        SCOPED_TRACE(std::to_string(c.width) + "x" + std::to_string(c.height));
        EXPECT_EQ(window_scale_for_desktop(c.width, c.height), c.window);
        EXPECT_EQ(fullscreen_scale_for_desktop(c.width, c.height), c.fullscreen);
    }
}

// A frame of scattered colours, so any pixel taken from the wrong place shows.
BITMAP* patterned_frame()
{
    BITMAP* frame = create_bitmap(640, 480);
    srand(5);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x) putpixel(frame, x, y, makecol(rand() & 255, rand() & 255, rand() & 255));
    return frame;
}

// Every pixel of the target: inside the picture the frame's pixel (x / N, y / N),
// outside it the colour the target was filled with.
void expect_blocks(BITMAP* frame, BITMAP* target, int factor, int left, int top, int border)
{
    int wrong = 0;
    for (int y = 0; y < target->h; ++y) {
        for (int x = 0; x < target->w; ++x) {
            int dx = x - left, dy = y - top;
            bool inside = dx >= 0 && dy >= 0 && dx < 640 * factor && dy < 480 * factor;
            int expected = inside ? _getpixel32(frame, dx / factor, dy / factor) : border;
            if (_getpixel32(target, x, y) != expected && ++wrong <= 3)
                ADD_FAILURE() << "factor " << factor << ": pixel " << x << "," << y;
        }
    }
    EXPECT_EQ(wrong, 0) << "factor " << factor;
}

TEST(EnlargeFrameTest, EveryPixelBecomesAnNByNBlockAtItsPlace)
{
    ensure_allegro();
    BITMAP* frame = patterned_frame();
    const int border = makecol(1, 2, 3);
    struct Case { int factor, width, height, x, y; };
    for (Case c : {Case{1, 800, 600, 80, 60}, {2, 1280, 960, 0, 0}, {2, 1920, 1080, 320, 60}, {3, 1920, 1440, 0, 0},
                   {3, 2000, 1500, 39, 21}, {4, 2560, 1920, 0, 0}, {5, 3200, 2400, 0, 0}}) {
        BITMAP* target = create_bitmap(c.width, c.height);
        clear_to_color(target, border);
        ASSERT_TRUE(enlarge_frame(frame, target, c.factor, c.x, c.y));
        expect_blocks(frame, target, c.factor, c.x, c.y, border);
        destroy_bitmap(target);
    }
    destroy_bitmap(frame);
}

TEST(EnlargeFrameTest, APictureThatWouldNotFitIsNotDrawn)
{
    ensure_allegro();
    BITMAP* frame = patterned_frame();
    BITMAP* target = create_bitmap(1280, 960);
    clear_to_color(target, 7);
    EXPECT_FALSE(enlarge_frame(frame, target, 3, 0, 0));
    EXPECT_FALSE(enlarge_frame(frame, target, 2, 1, 0));
    EXPECT_FALSE(enlarge_frame(frame, target, 2, 0, -1));
    EXPECT_FALSE(enlarge_frame(frame, target, 0, 0, 0));
    EXPECT_FALSE(enlarge_frame(nullptr, target, 2, 0, 0));
    for (int y = 0; y < 960; y += 97)
        for (int x = 0; x < 1280; x += 89) ASSERT_EQ(_getpixel32(target, x, y), 7);
    destroy_bitmap(target);
    destroy_bitmap(frame);
}

TEST(EnlargeFrameTest, ShowFrameEnlargesOntoTheScreenAndLeavesTheBarsAlone)
{
    ensure_allegro();
    RenderContext context;
    context.backBuffer = patterned_frame();
    BITMAP* fakeScreen = create_bitmap(1920, 1080);
    clear_to_color(fakeScreen, 0);
    BITMAP* savedScreen = screen;
    screen = fakeScreen;
    displayLayout = DisplayLayout{2, 320, 60};
    context.pageIndex = 2;
    show_frame(context);
    EXPECT_EQ(context.pageIndex, 0) << "the page index turns every frame, pages or not";
    screen = savedScreen;
    displayLayout = DisplayLayout{};
    expect_blocks(context.backBuffer, fakeScreen, 2, 320, 60, 0);
    destroy_bitmap(fakeScreen);
    destroy_bitmap(context.backBuffer);
}

}  // namespace

namespace {

TEST(ModeSwitchQueryTest, NoXServerMeansNoSwitching)
{
    const char* saved = std::getenv("DISPLAY");
    std::string display = saved ? saved : "";
    setenv("DISPLAY", ":9999", 1);  // nothing listens there
    EXPECT_FALSE(x_server_can_switch_to(640, 480));
    if (saved)
        setenv("DISPLAY", display.c_str(), 1);
    else
        unsetenv("DISPLAY");
}

}  // namespace

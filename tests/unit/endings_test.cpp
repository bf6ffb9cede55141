// Counting endings, the count line, the last path, the continue prompt and the end page.
#include <gtest/gtest.h>

#include <allegro.h>

#include <cerrno>

#include "events/endings.h"
#include "events/event_screen.h"
#include "events/pages.h"
#include "core/game_state.h"
#include "frame/game_setup.h"
#include "text/text.h"
#include "test_support.h"

namespace {


FontFace* font_of(int height)
{
    text_init();
    FontFace* f = face_open_file("/usr/share/fonts/truetype/gentiumplus/GentiumPlus-Regular.ttf");
    return (f && face_set_height(f, height) == 0) ? f : nullptr;
}

class EndingsTest : public ::testing::Test {
protected:
    RenderContext context;
    void SetUp() override
    {
        ensure_allegro();
        construct_game_state();
        game.gameMode = EventScreen;
        static FontFace* dialogue = font_of(28);
        static FontFace* small = font_of(20);
        context.dialogueFont = dialogue;
        context.smallFont = small;
        context.titleFont = dialogue;
        context.backBuffer = create_bitmap(640, 480);
        context.lowResBuffer = create_bitmap(320, 240);
        clear_to_color(context.backBuffer, 0);
    }
    void TearDown() override
    {
        destroy_bitmap(context.backBuffer);
        destroy_bitmap(context.lowResBuffer);
    }
    bool has_fonts() const { return context.dialogueFont && context.smallFont; }
    void find(std::initializer_list<int> endings)
    {
        for (bool& found : game.endingsFound) found = false;
        for (int n : endings) game.endingsFound[n] = true;
    }
    // Whether a pixel of exactly `colour` lies in rows from..to.
    bool colour_in_rows(int colour, int from, int to)
    {
        for (int y = from; y <= to; ++y)
            for (int x = 0; x < 640; ++x)
                if (getpixel(context.backBuffer, x, y) == colour) return true;
        return false;
    }
    // Ink between the corner brackets.
    bool ink_in_rows(int from, int to)
    {
        for (int y = from; y <= to; ++y)
            for (int x = 80; x < 560; ++x)
                if (getpixel(context.backBuffer, x, y) != 0) return true;
        return false;
    }
};

TEST_F(EndingsTest, CountCoversAllTenEntries)
{
    find({2, 4, 8});
    game.endingsCount = 99;
    EXPECT_EQ(count_endings(), 3);
    EXPECT_EQ(game.endingsCount, 3);
    game.endingsFound[0] = game.endingsFound[9] = true;  // never set in play, but counted
    EXPECT_EQ(count_endings(), 5);
    find({});
    EXPECT_EQ(count_endings(), 0);
}

TEST_F(EndingsTest, PathsPhraseAndCountLine)
{
    const char* expected[] = {"one path",  "two paths", "three paths", "four paths",
                              "five paths", "six paths", "seven paths", "eight paths"};
    for (int n = 1; n <= 8; ++n) EXPECT_EQ(paths_phrase(n), expected[n - 1]);
    for (int n : {0, 9, 10, -1}) EXPECT_EQ(paths_phrase(n), "x paths") << n;
    EXPECT_EQ(count_line(3), "[three paths out of eight]");
    EXPECT_EQ(count_line(1), "[one path out of eight]");
}

TEST_F(EndingsTest, LastPathOpensOnlyWithTheFirstSeven)
{
    find({1, 2, 3, 4, 5, 6, 7});
    count_step(context, 3);
    EXPECT_TRUE(game.lastPathOpen);
    EXPECT_EQ(game.endingsCount, 7);

    find({1, 2, 3, 4, 5, 6});
    count_step(context, 3);
    EXPECT_FALSE(game.lastPathOpen);

    find({2, 3, 4, 5, 6, 7, 8});  // seven, but the last one among them
    count_step(context, 4);
    EXPECT_FALSE(game.lastPathOpen);

    find({1, 2, 3, 4, 5, 6, 7, 8});
    count_step(context, 4);
    EXPECT_FALSE(game.lastPathOpen);
}

TEST_F(EndingsTest, ClearingForgetsEndingsOneToEight)
{
    find({1, 3, 5, 7, 8});
    clear_endings();
    for (int n = 0; n < 10; ++n) EXPECT_FALSE(game.endingsFound[n]) << n;
    EXPECT_EQ(count_endings(), 0);
}

TEST_F(EndingsTest, PromptShowsItsLinesAndTheCountInTheTint)
{
    if (!has_fonts()) { GTEST_SKIP() << "font not available"; }
    game.pulse100 = 30;
    game.pulse50 = 20;
    find({});
    draw_event_text(context, CONTINUE_PROMPT);
    EXPECT_TRUE(ink_in_rows(181, 210));
    EXPECT_TRUE(ink_in_rows(211, 240));
    EXPECT_FALSE(ink_in_rows(242, 479));  // no count line without endings

    find({3});
    clear_to_color(context.backBuffer, 0);
    draw_event_text(context, CONTINUE_PROMPT);
    EXPECT_FALSE(ink_in_rows(242, 268));  // slot 3 empty
    EXPECT_TRUE(colour_in_rows(makecol(225, 215, 240), 271, 300));
    EXPECT_TRUE(colour_in_rows(makecol(225, 225, 225), 181, 240));  // dialogue grey
    EXPECT_EQ(game.eventCode, 0);  // drawing alone changes no page
}

TEST_F(EndingsTest, EndPageOverTheCornerFrame)
{
    if (!has_fonts()) { GTEST_SKIP() << "font not available"; }
    game.gameMode = TheEnd;
    game.eventCode = END_PAGE;
    game.fadeState = Idle;
    game.pulse100 = 50;
    find({1, 2, 3, 4, 5, 6, 7, 8});
    compose_event_frame(context);

    EXPECT_EQ(getpixel(context.backBuffer, 20, 20), makecol(205, 205, 205));  // a corner bracket
    EXPECT_EQ(getpixel(context.backBuffer, 100, 100), 0);
    EXPECT_TRUE(ink_in_rows(226, 254));    // "The End", the lone centred line
    EXPECT_FALSE(ink_in_rows(80, 222));
    EXPECT_FALSE(ink_in_rows(258, 444));
    EXPECT_TRUE(colour_in_rows(makecol(155, 155, 155), 445, 470));  // the escape hint in hint grey
    EXPECT_FALSE(game.lastPathOpen);
    EXPECT_EQ(game.gameMode, TheEnd);

    // The fade-in from black darkens it all.
    game.fadeState = FadeIn;
    game.fadeLevel = 255;
    compose_event_frame(context);
    EXPECT_FALSE(ink_in_rows(0, 479));
}

}  // namespace

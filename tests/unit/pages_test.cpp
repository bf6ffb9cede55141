// The script: every code has a well-formed page, code 2 follows the endings found,
// and the pages change the story as they should.
#include <gtest/gtest.h>

#include <allegro.h>

#include <cerrno>
#include <cstring>
#include <set>
#include <string>
#include <vector>

#include "events/endings.h"
#include "events/event_screen.h"
#include "events/pages.h"
#include "core/game_state.h"
#include "frame/game_setup.h"
#include "text/text.h"
#include "world/room.h"
#include "test_support.h"

namespace {


FontFace* dialogue_font()
{
    static FontFace* face = [] {
        text_init();
        FontFace* f = face_open_file("/usr/share/fonts/truetype/gentiumplus/GentiumPlus-Regular.ttf");
        return (f && face_set_height(f, 28) == 0) ? f : nullptr;
    }();
    return face;
}

class PagesTest : public ::testing::Test {
protected:
    RenderContext context;
    void SetUp() override
    {
        ensure_allegro();
        construct_game_state();
        game.gameMode = EventScreen;
        context.backBuffer = create_bitmap(640, 480);
        clear_to_color(context.backBuffer, 0);
    }
    void TearDown() override { destroy_bitmap(context.backBuffer); }

    // Rows with ink after drawing page `code` on a black back buffer.
    std::vector<bool> drawn_rows(EventCode code)
    {
        context.dialogueFont = dialogue_font();
        clear_to_color(context.backBuffer, 0);
        draw_event_text(context, code);
        std::vector<bool> rows(480, false);
        for (int y = 0; y < 480; ++y)
            for (int x = 0; x < 640 && !rows[y]; ++x) rows[y] = getpixel(context.backBuffer, x, y) != 0;
        return rows;
    }
    static bool ink_between(const std::vector<bool>& rows, int from, int to)
    {
        for (int y = from; y <= to; ++y)
            if (rows[y]) return true;
        return false;
    }
};

TEST_F(PagesTest, EveryDialogueCodeHasAWellFormedPage)
{
    std::set<std::string> firstLines;
    for (int code = 1; code <= 41; ++code) {
        if (code == CONTINUE_PROMPT) continue;
        SCOPED_TRACE("code " + std::to_string(code));
        const std::vector<PageLine>* lines = page_lines(code, 0);
        ASSERT_NE(lines, nullptr);
        ASSERT_GE(lines->size(), 1u);
        ASSERT_LE(lines->size(), 5u);
        const int count = lines->front().count;
        int previous = 0;
        for (const PageLine& line : *lines) {
            EXPECT_EQ(line.count, count);
            ASSERT_NE(line.text, nullptr);
            EXPECT_GT(std::strlen(line.text), 0u);
            if (count == 0) {
                EXPECT_EQ(lines->size(), 1u);  // a lone line is alone
                EXPECT_EQ(line.index, 0);
            } else {
                EXPECT_GT(line.index, previous);
                EXPECT_LE(line.index, count);
                previous = line.index;
            }
        }
        firstLines.insert((*lines)[0].text);
    }
    EXPECT_EQ(firstLines.size(), 40u);  // no page repeats another's opening
    for (int code : {0, 40, 42, 43, -1, -12, 1000})
        EXPECT_EQ(page_lines(code, 0), nullptr) << code;
}

TEST_F(PagesTest, Code2SpeaksByTheEndingsFound)
{
    std::set<const std::vector<PageLine>*> variants;
    for (int n = 0; n <= 6; ++n) variants.insert(page_lines(2, n));
    EXPECT_EQ(variants.size(), 7u);
    for (int n : {7, 8, 10}) EXPECT_EQ(page_lines(2, n), page_lines(2, 6)) << n;

    // The page recounts before it speaks.
    game.endingsCount = 0;
    game.endingsFound[1] = game.endingsFound[3] = game.endingsFound[5] = true;
    draw_event_text(context, 2);
    EXPECT_EQ(game.endingsCount, 3);

    if (!dialogue_font()) { GTEST_SKIP() << "font not available"; }
    for (bool& found : game.endingsFound) found = false;
    std::vector<bool> rows = drawn_rows(2);
    EXPECT_TRUE(ink_between(rows, 226, 254));  // one line in the middle
    EXPECT_FALSE(ink_between(rows, 0, 220));
    EXPECT_FALSE(ink_between(rows, 258, 479));

    // With four, the third of four slots stays empty.
    for (int n = 1; n <= 4; ++n) game.endingsFound[n] = true;
    rows = drawn_rows(2);
    EXPECT_TRUE(ink_between(rows, 181, 210));
    EXPECT_TRUE(ink_between(rows, 211, 240));
    EXPECT_FALSE(ink_between(rows, 242, 268));
    EXPECT_TRUE(ink_between(rows, 271, 300));
}

TEST_F(PagesTest, SkippedSlotsStayBlank)
{
    if (!dialogue_font()) { GTEST_SKIP() << "font not available"; }
    for (int code : {6, 11}) {  // slot 2 of 4
        const std::vector<bool> rows = drawn_rows(code);
        EXPECT_TRUE(ink_between(rows, 181, 210)) << code;
        EXPECT_FALSE(ink_between(rows, 212, 238)) << code;
        EXPECT_TRUE(ink_between(rows, 241, 270)) << code;
    }
    std::vector<bool> rows = drawn_rows(7);  // slot 3 of 4
    EXPECT_TRUE(ink_between(rows, 211, 240));
    EXPECT_FALSE(ink_between(rows, 242, 268));
    EXPECT_TRUE(ink_between(rows, 271, 300));
    rows = drawn_rows(21);  // slot 4 of 5
    EXPECT_TRUE(ink_between(rows, 166, 195));
    EXPECT_TRUE(ink_between(rows, 226, 255));
    EXPECT_FALSE(ink_between(rows, 257, 284));
    EXPECT_TRUE(ink_between(rows, 286, 315));
}

TEST_F(PagesTest, StoryFlagsAndPubClock)
{
    draw_event_text(context, 6);
    EXPECT_TRUE(game.isKnight);
    EXPECT_FALSE(game.hasCompanions);

    game.ambienceCountdown = 30;
    draw_event_text(context, 21);
    EXPECT_TRUE(game.inUniform);
    EXPECT_EQ(game.ambienceCountdown, 0);

    // Through the pub: 28, 29, 30 and last orders.
    const int order[] = {28, 29, 30, 24};
    for (int i = 0; i < 4; ++i) {
        draw_event_text(context, order[i]);
        EXPECT_EQ(game.clockHand, i + 1) << order[i];
    }
    const Room& pub = room_at(26);
    EXPECT_TRUE(pub.hasResident);
    EXPECT_EQ(pub.residentSprite, 15);
    EXPECT_EQ(pub.residentX, 140);
}

TEST_F(PagesTest, PagesThatMoveThePlayerAndTheResidents)
{
    room_at(50).hasResident = true;
    game.playerX = 125.0;
    draw_event_text(context, 10);
    EXPECT_TRUE(game.hasCompanions);
    EXPECT_EQ(game.playerX, 220.0);
    EXPECT_FALSE(room_at(50).hasResident);

    game.playerX = 181.5;
    room_at(27) = Room{};
    draw_event_text(context, 27);
    EXPECT_TRUE(game.isInjured);
    EXPECT_EQ(game.playerX, 230.0);
    const Room& sharks = room_at(27);
    EXPECT_TRUE(sharks.hasResident);
    EXPECT_EQ(sharks.residentSprite, 15);
    EXPECT_EQ(sharks.residentX, 210);
    EXPECT_EQ(sharks.followerMode, 1);
    EXPECT_EQ(sharks.followerSprite, 43);
    EXPECT_EQ(sharks.followerX, -20);

    // Drawn again on the next frame: the same state, nothing piles up.
    draw_event_text(context, 27);
    EXPECT_EQ(room_at(27).followerX, -20);
    EXPECT_EQ(game.playerX, 230.0);
}

TEST_F(PagesTest, QuietPagesChangeNothing)
{
    room_at(26).residentX = 77;
    for (int code : {1, 3, 9, 13, 25, 31, 33, 39, 41}) {
        draw_event_text(context, code);
        EXPECT_FALSE(game.isKnight || game.hasCompanions || game.inUniform || game.isInjured) << code;
        EXPECT_EQ(game.clockHand, 0) << code;
        EXPECT_EQ(game.playerX, 10.0) << code;
        EXPECT_EQ(room_at(26).residentX, 77) << code;
    }
}

TEST_F(PagesTest, UnknownCodesShowTheErrorPage)
{
    game.pulse100 = 40;
    for (int code : {43, 99, -1, -2147483647 - 1}) {
        draw_event_text(context, code);  // never a crash, with or without a font
        EXPECT_EQ(game.gameMode, EventScreen);
    }
    if (!dialogue_font()) { GTEST_SKIP() << "font not available"; }
    const std::vector<bool> rows = drawn_rows(43);
    EXPECT_TRUE(ink_between(rows, 211, 240));
    EXPECT_TRUE(ink_between(rows, 241, 270));
    EXPECT_FALSE(ink_between(rows, 0, 205));
    // In the error tint: red follows the pulse, green and blue 196.
    bool tinted = false;
    for (int y = 211; y < 270 && !tinted; ++y)
        for (int x = 0; x < 640 && !tinted; ++x) tinted = getpixel(context.backBuffer, x, y) == makecol(215, 196, 196);
    EXPECT_TRUE(tinted);
}

}  // namespace

// The event screen: line placement, backdrops, the title page and the keys that
// leave a page or start the walk.
#include <gtest/gtest.h>

#include <allegro.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "audio/music.h"
#include "events/endings.h"
#include "events/event_screen.h"
#include "events/hurry.h"
#include "events/pages_read.h"
#include "events/pages.h"
#include "events/title_warning.h"
#include "core/game_state.h"
#include "frame/game_setup.h"
#include "frame/fade.h"
#include "play/input.h"
#include "play/key_map.h"
#include "text/text.h"
#include "world/room.h"
#include "test_support.h"

namespace {

constexpr const char* FONT_PATH = "/usr/share/fonts/truetype/gentiumplus/GentiumPlus-Regular.ttf";


FontFace* open_font(int height)
{
    text_init();
    FontFace* face = face_open_file(FONT_PATH);
    if (face && face_set_height(face, height) != 0) return nullptr;
    return face;
}

// A render context on memory bitmaps with the three faces of the game's sizes.
struct Canvas {
    RenderContext context;
    Canvas()
    {
        ensure_allegro();
        static FontFace* dialogue = open_font(28);
        static FontFace* title = open_font(102);
        static FontFace* small = open_font(20);
        context.dialogueFont = dialogue;
        context.titleFont = title;
        context.smallFont = small;
        context.lowResBuffer = create_bitmap(320, 240);
        context.backBuffer = create_bitmap(640, 480);
        clear_to_color(context.lowResBuffer, 0);
        clear_to_color(context.backBuffer, 0);
    }
    ~Canvas()
    {
        destroy_bitmap(context.lowResBuffer);
        destroy_bitmap(context.backBuffer);
    }
    bool has_fonts() const { return context.dialogueFont && context.titleFont && context.smallFont; }
    int at(int x, int y) const { return getpixel(context.backBuffer, x, y); }
};

// Rows of the back buffer that hold any non-black pixel.
std::vector<bool> ink_rows(BITMAP* b)
{
    std::vector<bool> rows(b->h, false);
    for (int y = 0; y < b->h; ++y)
        for (int x = 0; x < b->w && !rows[y]; ++x)
            if (getpixel(b, x, y) != 0) rows[y] = true;
    return rows;
}

bool any_ink(const std::vector<bool>& rows, int from, int to)
{
    for (int y = from; y <= to; ++y)
        if (rows[y]) return true;
    return false;
}

class EventScreenTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensure_allegro();
        construct_game_state();
        reset_input();
        reset_event_screen_input();
        reset_music_state();
        for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
        game.gameMode = EventScreen;
        srand(7);
    }
    void TearDown() override
    {
        for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
    }
    void press_action()
    {
        input.actions[size_t(Action::Page)].held = true;
        input.actions[size_t(Action::Page)].pressed = true;
    }
    void hold_action()
    {
        input.actions[size_t(Action::Page)].held = true;
        input.actions[size_t(Action::Page)].pressed = false;
    }
};

class LinePlacementTest : public EventScreenTest {};
class BackdropTest : public EventScreenTest {};
class TitlePageTest : public EventScreenTest {};

int top_of(int index, int count) { return place_text_line(100, 28, 5, 5, true, index, count).y; }

TEST_F(LinePlacementTest, BlocksOfOneToFiveLinesCentreOnTheMiddleRow)
{
    const std::vector<std::vector<int>> tops = {
        {226}, {211, 241}, {196, 226, 256}, {181, 211, 241, 271}, {166, 196, 226, 256, 286}};
    for (int count = 1; count <= 5; ++count)
        for (int index = 1; index <= count; ++index)
            EXPECT_EQ(top_of(index, count), tops[count - 1][index - 1]) << index << " of " << count;

    // A lone line (0 of 0) sits where line 1 of 1 does.
    EXPECT_EQ(top_of(0, 0), 226);
    // Skipped indices leave their slot empty: lines 1, 3 and 4 of 4.
    EXPECT_EQ(top_of(1, 4), 181);
    EXPECT_EQ(top_of(3, 4), 241);
    EXPECT_EQ(top_of(4, 4), 271);
    // The pitch follows the face: 2h + 2 with h half its height.
    EXPECT_EQ(place_text_line(0, 20, 5, 5, true, 2, 2).y - place_text_line(0, 20, 5, 5, true, 1, 2).y, 22);
}

TEST_F(LinePlacementTest, HorizontalCentring)
{
    // Centred lines ignore x and y as passed.
    EXPECT_EQ(place_text_line(200, 28, 5, 5, true, 1, 1).x, 220);
    EXPECT_EQ(place_text_line(201, 28, 77, 5, true, 1, 1).x, 220);  // half the width, truncated
    // x = -1 centres horizontally but keeps y.
    const LinePlacement hint = place_text_line(300, 28, -1, 415, false, 0, 0);
    EXPECT_EQ(hint.x, 170);
    EXPECT_EQ(hint.y, 415);
    // Any other x with centred false is taken as it is.
    const LinePlacement plain = place_text_line(300, 28, 40, 50, false, 3, 4);
    EXPECT_EQ(plain.x, 40);
    EXPECT_EQ(plain.y, 50);
    // Wild indices do not trap.
    place_text_line(10, 28, 5, 5, true, 2147483647, 2147483647);
}

TEST_F(BackdropTest, NoiseIsFourByFourCellsDarkerThanTheBreathingGrey)
{
    Canvas canvas;
    ensure_allegro();
    srand(3);
    game.pulse100 = 40;  // grey 38
    draw_noise_backdrop(canvas.context);
    BITMAP* low = canvas.context.lowResBuffer;
    int distinct = 0, previous = -1;
    for (int r = 0; r < 60; ++r)
        for (int c = 0; c < 80; ++c) {
            const int v = getpixel(low, 4 * c, 4 * r);
            // Allegro's blender rounds the channels apart by a unit at most.
            ASSERT_LE(std::abs(getr32(v) - getg32(v)), 1);
            ASSERT_LE(std::abs(getr32(v) - getb32(v)), 1);
            // Black at 25..124 over grey 38 leaves 19..34.
            EXPECT_GE(getr32(v), 19);
            EXPECT_LE(getr32(v), 34);
            for (int dy = 0; dy < 4; ++dy)
                for (int dx = 0; dx < 4; ++dx) ASSERT_EQ(getpixel(low, 4 * c + dx, 4 * r + dy), v);
            if (v != previous) ++distinct;
            previous = v;
        }
    EXPECT_GT(distinct, 1000);  // fresh opacity per cell
}

TEST_F(BackdropTest, CornerFrameAndItsEnlargement)
{
    Canvas canvas;
    game.pulse100 = 20;
    game.eventCode = 13;
    game.fadeState = Idle;
    canvas.context.dialogueFont = nullptr;  // backdrop only
    compose_event_frame(canvas.context);
    const int grey = makecol(235, 235, 235);
    // Brackets 2 pixels thick, 50 long, 20 from the edges.
    for (int k = 0; k < 52; ++k) {
        EXPECT_EQ(canvas.at(20 + k, 20), grey) << k;
        EXPECT_EQ(canvas.at(20, 20 + k), grey) << k;
        EXPECT_EQ(canvas.at(621 - k, 461), grey) << k;
        EXPECT_EQ(canvas.at(21, 461 - k), grey) << k;
    }
    EXPECT_EQ(canvas.at(72, 20), 0);
    EXPECT_EQ(canvas.at(19, 20), 0);
    EXPECT_EQ(canvas.at(22, 22), 0);
    EXPECT_EQ(canvas.at(320, 240), 0);
    EXPECT_EQ(canvas.at(620, 21), grey);
    EXPECT_EQ(canvas.at(621, 71), grey);
}

TEST_F(BackdropTest, TitleAndPromptAreNoiseAndTheFadeCoversTheText)
{
    Canvas canvas;
    canvas.context.dialogueFont = canvas.context.titleFont = canvas.context.smallFont = nullptr;
    for (int code : {TITLE_PAGE, CONTINUE_PROMPT}) {
        game.eventCode = code;
        game.fadeState = Idle;
        compose_event_frame(canvas.context);
        EXPECT_NE(canvas.at(20, 20), 0) << code;  // no black margin as under the corner frame
        EXPECT_EQ(canvas.at(200, 200), canvas.at(201, 201)) << code;  // 2x2 blocks
        game.fadeState = Black;
        game.fadeLevel = 255;
        compose_event_frame(canvas.context);
        EXPECT_EQ(canvas.at(20, 20), 0) << code;
    }
    // Nothing to draw on: no crash.
    RenderContext empty;
    compose_event_frame(empty);
    draw_event_screen(empty);
    draw_text_line(empty, 5, 5, "x", 1, 2, 3, true, 1, 1);
    draw_noise_backdrop(empty);
    draw_corner_frame(empty);
}

TEST_F(TitlePageTest, NameHasATwoPixelBlackOutline)
{
    Canvas canvas;
    if (!canvas.has_fonts()) { GTEST_SKIP() << "font not available"; }
    game.pulse100 = 30;
    game.pulse50 = 10;
    const int tint = makecol(225, 235, 240);
    const int grey = makecol(90, 90, 90);

    // The tinted name alone, to know where its pixels fall.
    BITMAP* mask = create_bitmap(640, 480);
    clear_to_color(mask, 0);
    const int x = 320 - face_text_width(canvas.context.titleFont, TITLE_NAME) / 2;
    face_draw_text(mask, canvas.context.titleFont, TITLE_NAME, x, 150, makecol(255, 255, 255));
    auto coverage = [&](int px, int py) {
        return (px < 0 || py < 0 || px >= 640 || py >= 480) ? 0 : getr32(getpixel(mask, px, py));
    };

    clear_to_color(canvas.context.backBuffer, grey);
    draw_title_page(canvas.context);

    int solid = 0, outline = 0;
    for (int py = 120; py < 300; ++py)
        for (int px = 0; px < 640; ++px) {
            if (coverage(px, py) == 255) {
                ++solid;
                ASSERT_EQ(canvas.at(px, py), tint) << px << "," << py;
                continue;
            }
            if (coverage(px, py) != 0) continue;
            // Untouched by the tinted copy but fully under one of the four black copies.
            if (coverage(px + 2, py) == 255 || coverage(px - 2, py) == 255 || coverage(px, py + 2) == 255 ||
                coverage(px, py - 2) == 255) {
                ++outline;
                ASSERT_EQ(canvas.at(px, py), makecol(0, 0, 0)) << px << "," << py;
            }
            // Three pixels off in every direction is already the backdrop.
            bool near = false;
            for (int d = -2; d <= 2 && !near; ++d)
                near = coverage(px + d, py) || coverage(px, py + d);
            if (!near && py < 250) {
                ASSERT_EQ(canvas.at(px, py), grey) << px << "," << py;
            }
        }
    destroy_bitmap(mask);
    EXPECT_GT(solid, 500);
    EXPECT_GT(outline, 300);
}

TEST_F(TitlePageTest, HintAndCreditLines)
{
    Canvas canvas;
    if (!canvas.has_fonts()) { GTEST_SKIP() << "font not available"; }
    game.pulse100 = 60;
    draw_title_page(canvas.context);
    const std::vector<bool> rows = ink_rows(canvas.context.backBuffer);
    EXPECT_TRUE(any_ink(rows, 415, 440));   // the begin hint
    EXPECT_TRUE(any_ink(rows, 446, 466));   // the credit
    EXPECT_FALSE(any_ink(rows, 300, 412));  // no count line without endings
    // The credit is in hint grey: 180 - 60 / 2.
    bool hintGrey = false;
    for (int y = 445; y < 470 && !hintGrey; ++y)
        for (int x = 0; x < 640 && !hintGrey; ++x) hintGrey = canvas.at(x, y) == makecol(150, 150, 150);
    EXPECT_TRUE(hintGrey);
}

// WCAG's relative luminance of an sRGB grey.
double luminance(int grey)
{
    const double c = grey / 255.0;
    return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
}

int brightest_red(BITMAP* b, int fromRow, int toRow)
{
    int best = 0;
    for (int y = fromRow; y <= toRow; ++y)
        for (int x = 0; x < b->w; ++x) best = std::max(best, getr(getpixel(b, x, y)));
    return best;
}

TEST_F(TitlePageTest, CreditAndWarningStandAtLeastFourAndAHalfToOneAgainstTheBackdrop)
{
    Canvas canvas;
    if (!canvas.has_fonts()) { GTEST_SKIP() << "font not available"; }
    game.eventCode = TITLE_PAGE;
    game.fadeState = Idle;
    // A whole swing of the pulse: the text at its darkest against the backdrop at
    // its lightest, whenever each comes.
    int darkestCredit = 255, darkestWarning = 255, lightestBackdrop = 0;
    for (int frame = 0; frame < 200; ++frame) {
        update_pulses();
        compose_event_frame(canvas.context);
        BITMAP* back = canvas.context.backBuffer;
        // The text's own grey is the lightest pixel of its rows.
        darkestCredit = std::min(darkestCredit, brightest_red(back, 448, 466));
        darkestWarning = std::min(darkestWarning, brightest_red(back, TITLE_WARNING_Y + 2, TITLE_WARNING_Y + 18));
        // Nothing but the backdrop between the name and the begin hint.
        lightestBackdrop = std::max(lightestBackdrop, brightest_red(back, 300, 410));
    }
    ASSERT_GT(lightestBackdrop, 30) << "the backdrop was drawn";
    const double backdrop = luminance(lightestBackdrop) + 0.05;
    EXPECT_GE((luminance(darkestCredit) + 0.05) / backdrop, 4.5) << darkestCredit << " on " << lightestBackdrop;
    EXPECT_GE((luminance(darkestWarning) + 0.05) / backdrop, 4.5) << darkestWarning << " on " << lightestBackdrop;
}

TEST_F(TitlePageTest, TheWarningLineStandsAtTheTopAndNamesTheCalmKey)
{
    Canvas canvas;
    if (!canvas.has_fonts()) { GTEST_SKIP() << "font not available"; }
    EXPECT_EQ(flashing_warning(), "Flashing images: K for calm mode");
    // Beside it, the keys of the settings and the endings pages.
    EXPECT_EQ(title_warning_line(), "Flashing images: K for calm mode.  F1 for settings.  E for endings");
    game.pulse100 = 0;
    draw_title_page(canvas.context);
    // Its ink spans the width the line measures, centred, in rows of its own.
    const int width = face_text_width(canvas.context.smallFont, title_warning_line().c_str());
    int left = 640, right = -1;
    for (int y = 0; y < 120; ++y)
        for (int x = 0; x < 640; ++x)
            if (canvas.at(x, y) != 0) {
                EXPECT_GE(y, TITLE_WARNING_Y);
                EXPECT_LT(y, TITLE_WARNING_Y + 20);
                left = std::min(left, x);
                right = std::max(right, x);
            }
    ASSERT_GE(right, 0) << "no warning drawn";
    EXPECT_NEAR(right - left + 1, width, 4);
    EXPECT_NEAR((left + right) / 2, 320, 3);

    // Moved to another key, the calm key is named as it now is.
    set_action_keys(Action::Calm, {{KEY_L}});
    EXPECT_EQ(flashing_warning(), "Flashing images: L for calm mode");
    set_action_keys(Action::Settings, {{KEY_F2}});
    EXPECT_EQ(settings_hint(), "F2 for settings");
    reset_key_map();
}

// The count line's rows, found as what changes on a page when one ending is found.
int count_line_top(int code)
{
    Canvas without, with;
    game.pulse100 = 0;
    game.pulse50 = 0;
    for (bool& found : game.endingsFound) found = false;
    draw_event_text(without.context, code);
    game.endingsFound[4] = true;
    draw_event_text(with.context, code);
    for (int y = 0; y < 480; ++y)
        for (int x = 0; x < 640; ++x)
            if (with.at(x, y) != without.at(x, y)) return y;
    return -1;
}

TEST_F(EventScreenTest, CountLineIsOnePitchHigherOnTheTitleThanOnThePrompt)
{
    if (!Canvas().has_fonts()) { GTEST_SKIP() << "font not available"; }
    const int onTitle = count_line_top(TITLE_PAGE);
    const int onPrompt = count_line_top(CONTINUE_PROMPT);
    ASSERT_GE(onTitle, 241);  // line 3 of 4
    EXPECT_LT(onTitle, 241 + 28);
    EXPECT_GE(onPrompt, 271);  // line 4 of 4
    EXPECT_EQ(onPrompt - onTitle, 30);
}

TEST_F(EventScreenTest, DialoguePageLeavesOnANewPressOnly)
{
    Canvas canvas;
    game.eventCode = 13;
    hold_action();
    event_screen_input(canvas.context);
    EXPECT_EQ(game.gameMode, EventScreen);
    press_action();
    event_screen_input(canvas.context);
    EXPECT_EQ(game.gameMode, Play);
    EXPECT_EQ(game.eventCode, 13);
    EXPECT_EQ(game.fadeState, Idle);  // at once, without a fade
}

TEST_F(EventScreenTest, HeldKeyAcrossTheTriggerDoesNotDismissThroughThePoll)
{
    Canvas canvas;
    key[KEY_SPACE] = 1;
    poll_input();  // held during play, when the trigger fired
    game.eventCode = 17;
    for (int frame = 0; frame < 5; ++frame) { poll_input(); event_screen_input(canvas.context); }
    EXPECT_EQ(game.gameMode, EventScreen);
    key[KEY_SPACE] = 0;
    { poll_input(); event_screen_input(canvas.context); }
    key[KEY_LCONTROL] = 1;
    { poll_input(); event_screen_input(canvas.context); }
    EXPECT_EQ(game.gameMode, Play);
}

TEST_F(EventScreenTest, PromptLeadsToTheTitleAndTheTitleFadesIntoPlay)
{
    Canvas canvas;
    game.eventCode = CONTINUE_PROMPT;
    game.endingsFound[2] = true;
    press_action();
    event_screen_input(canvas.context);
    EXPECT_EQ(game.eventCode, TITLE_PAGE);
    EXPECT_EQ(game.gameMode, EventScreen);
    EXPECT_TRUE(game.endingsFound[2]);  // kept

    // A second press is needed on the title; it only starts the fade.
    event_screen_input(canvas.context);
    EXPECT_EQ(game.fadeState, FadeOut);
    EXPECT_EQ(game.gameMode, EventScreen);

    game.fadeLevel = 120;
    hold_action();
    event_screen_input(canvas.context);
    EXPECT_EQ(game.gameMode, EventScreen);

    game.fadeState = Black;
    game.fadeLevel = 255;
    const int room = game.currentRoom;
    const int track = musicTrack;
    event_screen_input(canvas.context);
    EXPECT_EQ(game.gameMode, Play);
    EXPECT_EQ(game.fadeState, FadeIn);
    EXPECT_EQ(game.fadeLevel, 254);
    EXPECT_EQ(game.currentRoom, room);
    EXPECT_EQ(musicTrack, track);
}

TEST_F(EventScreenTest, PressInTheFrameThatPlayStartsIsNotASecondDismissal)
{
    Canvas canvas;
    game.eventCode = TITLE_PAGE;
    game.fadeState = Black;
    game.fadeLevel = 255;
    press_action();
    event_screen_input(canvas.context);
    EXPECT_EQ(game.gameMode, Play);
    EXPECT_EQ(game.fadeState, FadeIn);
}

TEST_F(EventScreenTest, EscapeQuitsFromEveryPage)
{
    Canvas canvas;
    for (int code : {TITLE_PAGE, CONTINUE_PROMPT, 13, 43}) {
        game.quitRequested = false;
        game.eventCode = code;
        game.fadeState = Idle;
        key[KEY_ESC] = 1;
        { poll_input(); event_screen_input(canvas.context); }
        EXPECT_TRUE(game.quitRequested) << code;
        EXPECT_EQ(game.fadeState, Idle) << code;  // at once, before any fade
    }
}

TEST_F(EventScreenTest, LastPathOpensWithTheFirstSevenEndings)
{
    Canvas canvas;
    for (int n = 1; n <= 7; ++n) game.endingsFound[n] = true;
    game.eventCode = TITLE_PAGE;
    draw_event_text(canvas.context, TITLE_PAGE);
    EXPECT_TRUE(game.lastPathOpen);

    game.interludeClock = 12.0;
    game.playerX = 60.0;
    game.fadeState = Black;
    event_screen_input(canvas.context);
    EXPECT_EQ(game.gameMode, Play);
    EXPECT_EQ(game.currentRoom, 61);
    EXPECT_EQ(musicTrack, Impossibilities);
    EXPECT_EQ(game.interludeClock, -240.0);
    EXPECT_EQ(game.playerX, 60.0);
    EXPECT_EQ(game.fadeLevel, 254);
}

TEST_F(EventScreenTest, SixEndingsStartInTheUsualRoom)
{
    Canvas canvas;
    for (int n = 1; n <= 6; ++n) game.endingsFound[n] = true;
    game.lastPathOpen = true;  // stale; the title recomputes it
    draw_event_text(canvas.context, TITLE_PAGE);
    EXPECT_FALSE(game.lastPathOpen);
    game.eventCode = TITLE_PAGE;
    game.fadeState = Black;
    event_screen_input(canvas.context);
    EXPECT_EQ(game.gameMode, Play);
    EXPECT_EQ(game.currentRoom, 0);
    EXPECT_NE(musicTrack, Impossibilities);
}

TEST_F(EventScreenTest, NOnThePromptBeginsANewSetOfEndings)
{
    Canvas canvas;
    game.eventCode = CONTINUE_PROMPT;
    game.endingsFound[1] = game.endingsFound[5] = true;

    // N already down when the prompt comes up is not a press, however long it is held.
    key[KEY_N] = 1;
    reset_event_screen_input();
    for (int frame = 0; frame < 3; ++frame) { poll_input(); event_screen_input(canvas.context); }
    EXPECT_EQ(game.eventCode, CONTINUE_PROMPT);
    EXPECT_TRUE(game.endingsFound[1]);
    EXPECT_TRUE(game.endingsFound[5]);

    key[KEY_N] = 0;
    { poll_input(); event_screen_input(canvas.context); }
    key[KEY_N] = 1;
    { poll_input(); event_screen_input(canvas.context); }
    EXPECT_EQ(game.eventCode, TITLE_PAGE);
    EXPECT_EQ(game.gameMode, EventScreen);
    for (int n = 0; n < 10; ++n) EXPECT_FALSE(game.endingsFound[n]) << n;

    // The title that follows has no count line, and N does nothing there.
    if (canvas.has_fonts()) {
        draw_event_text(canvas.context, TITLE_PAGE);
        EXPECT_EQ(game.endingsCount, 0);
        EXPECT_FALSE(any_ink(ink_rows(canvas.context.backBuffer), 300, 412));
    }
    key[KEY_N] = 0;
    { poll_input(); event_screen_input(canvas.context); }
    key[KEY_N] = 1;
    game.endingsFound[3] = true;
    { poll_input(); event_screen_input(canvas.context); }
    EXPECT_TRUE(game.endingsFound[3]);
    EXPECT_EQ(game.fadeState, Idle);

    // Nor on a dialogue page.
    game.eventCode = 13;
    key[KEY_N] = 0;
    { poll_input(); event_screen_input(canvas.context); }
    key[KEY_N] = 1;
    { poll_input(); event_screen_input(canvas.context); }
    EXPECT_TRUE(game.endingsFound[3]);
    EXPECT_EQ(game.gameMode, EventScreen);
}

// Ink in the band at the foot of a dialogue page, where the "read" mark goes.
int foot_ink(EventCode code)
{
    Canvas canvas;
    game.gameMode = EventScreen;
    game.eventCode = code;
    game.fadeState = Idle;
    game.pulse100 = 0;
    compose_event_frame(canvas.context);
    int ink = 0;
    for (int y = 440; y < 470; ++y)
        for (int x = 200; x < 440; ++x) ink += canvas.at(x, y) != 0;
    return ink;
}

}  // namespace

TEST(HurryTest, APageReadBeforeIsMarkedAndTurnsAfterHalfASecondOfWalking)
{
    if (!Canvas().has_fonts()) { GTEST_SKIP() << "font not available"; }
    forget_pages_read();
    mark_page_read(4, 0);
    settings.hurry = false;
    EXPECT_EQ(foot_ink(4), 0) << "with hurry off no page is marked";
    settings.hurry = true;
    EXPECT_GT(foot_ink(4), 20);
    EXPECT_EQ(foot_ink(5), 0) << "a page not read is not marked";

    // The page turns on the frame after half a second, only with the walk key held
    // and nothing left to say; a page not read, or hurry off, never does.
    reset_hurry();
    int frames = 0;
    while (!hurry_turn_due(4, 0, true, false) && frames < 100) ++frames;
    EXPECT_EQ(frames, HURRY_FRAMES);
    const struct { EventCode code; bool walking, speaking, hurry; } never[] = {
        {4, false, false, true}, {4, true, true, true}, {5, true, false, true}, {4, true, false, false}};
    for (const auto& c : never) {
        settings.hurry = c.hurry;
        reset_hurry();
        bool turned = false;
        for (int f = 0; f < 100; ++f) turned |= hurry_turn_due(c.code, 0, c.walking, c.speaking);
        EXPECT_FALSE(turned) << c.code << c.walking << c.speaking << c.hurry;
    }
    settings.hurry = false;
    forget_pages_read();
}

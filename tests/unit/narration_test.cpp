// What the voice says: the words of every kind of page, a room on entry, the ways
// up and down, the V and K keys and the cancel when a page is turned. Only the
// queue is checked here; no sound is made.
#include <gtest/gtest.h>

#include <allegro.h>

#include <set>
#include <string>
#include <vector>

#include "events/endings_page.h"
#include "events/hurry.h"
#include "play/input.h"
#include "events/narration.h"
#include "events/page_history.h"
#include "events/pages_read.h"
#include "core/game_state.h"
#include "frame/game_setup.h"
#include "play/gamepad.h"
#include "render/calm.h"
#include "render/foot_lines.h"
#include "world/room.h"
#include "test_support.h"

namespace {

using Words = std::vector<std::string>;

class NarrationTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensure_allegro();
        construct_game_state();
        reset_narration();
        settings.calm = false;
        key[KEY_V] = 0;
        key[KEY_K] = 0;
        key[KEY_TAB] = 0;
    }
    void TearDown() override
    {
        key[KEY_V] = 0;
        key[KEY_K] = 0;
        key[KEY_TAB] = 0;
        reset_narration();
        settings.calm = false;
    }
    static Words queued() { return Words(speechQueue.begin(), speechQueue.end()); }
    // One frame of the game's: the input pass, then the narration.
    static void next_frame()
    {
        poll_input();
        narration_frame();
    }
    // One frame with V (or K) pressed anew, and one with it let go.
    static void press(int scancode)
    {
        key[scancode] = 1;
        next_frame();
        key[scancode] = 0;
        next_frame();
    }
    static void show_page(EventCode code)
    {
        game.gameMode = EventScreen;
        game.eventCode = code;
        next_frame();
    }
    static void walk_in(int room, double x)
    {
        game.gameMode = Play;
        game.currentRoom = room;
        game.playerX = x;
        next_frame();
    }
};

}  // namespace

TEST_F(NarrationTest, EveryKindOfPageIsReadInOrder)
{
    EXPECT_EQ(page_utterances(0, 0), (Words{"Karvelle", "Flashing images: K for calm mode", "F1 for settings", "E for endings", "Press Space to Begin"}));
    EXPECT_EQ(page_utterances(0, 3), (Words{"Karvelle", "Flashing images: K for calm mode", "F1 for settings", "E for endings", "three paths out of eight",
                                            "Press Space to Begin"}));
    EXPECT_EQ(page_utterances(40, 5), (Words{"To start a new game, press N.", "To continue, press SPACE.",
                                             "five paths out of eight"}));
    EXPECT_EQ(page_utterances(42, 8), (Words{"The End", "Press escape to exit"}));
    EXPECT_EQ(page_utterances(4, 0), (Words{"Foolish human! Turn back or I will devour you!", "Press Space to go on"}));
    // A skipped slot changes nothing in what is read.
    EXPECT_EQ(page_utterances(6, 0)[0], "Arise, noble hero! We need your help. A powerful dragon threatens our kingdom.");
    // The girl of room 2 by the endings found.
    EXPECT_EQ(page_utterances(2, 0)[0], "Good morning. Nice day, isn't it?");
    EXPECT_EQ(page_utterances(2, 4)[0], "Sometimes I feel like it doesn't really matter what I do. Nothing changes.");
    EXPECT_EQ(page_utterances(2, 7)[0], "Please... stay with me, for a while...");
    EXPECT_EQ(page_utterances(77, 0), (Words{"ERROR: oops a daisy you shouldn't be seeing this", "Press Space to go on"}));
}

TEST_F(NarrationTest, EveryRoomOfTheMapHasItsOwnLineAndNoEmptySlotHasOne)
{
    std::set<std::string> lines;
    int rooms = 0;
    for (int room = 0; room < ROOM_COUNT; ++room) {
        const bool filled = !room_at(room).description.empty();
        const char* line = room_line(room);
        EXPECT_EQ(filled, line != nullptr) << "room " << room;
        if (!line) continue;
        ++rooms;
        lines.insert(line);
        EXPECT_LT(std::string(line).size(), 90u) << "a short line, room " << room;
        // The catalogue's labels are for authors, not players.
        EXPECT_NE(std::string(line), room_at(room).description) << "room " << room;
    }
    EXPECT_EQ(rooms, 66);
    EXPECT_EQ(lines.size(), 66u) << "no two rooms are described alike";
}

TEST_F(NarrationTest, NothingIsQueuedWhileTheVoiceIsOff)
{
    show_page(0);
    walk_in(3, 170.0);
    show_page(4);
    EXPECT_TRUE(speechQueue.empty());
}

TEST_F(NarrationTest, VSwitchesTheVoiceOnAndOffOnAnyScreen)
{
    show_page(0);
    // Held, it switches once.
    key[KEY_V] = 1;
    for (int frame = 0; frame < 5; ++frame) next_frame();
    key[KEY_V] = 0;
    next_frame();
    EXPECT_TRUE(settings.voice);
    EXPECT_EQ(queued(), (Words{"Voice on", "Karvelle", "Flashing images: K for calm mode", "F1 for settings", "E for endings", "Press Space to Begin"}));

    const int generation = speechGeneration;
    press(KEY_V);
    EXPECT_FALSE(settings.voice);
    EXPECT_EQ(queued(), (Words{"Voice off"}));
    EXPECT_NE(speechGeneration, generation) << "what was being said stops";

    // On again in play: the room and the way up where the player stands.
    walk_in(3, 170.0);
    press(KEY_V);
    Words onInRoom{"Voice on"};
    for (const std::string& sentence : room_sentences(3, game.endingsFound, false)) onInRoom.push_back(sentence);
    onInRoom.push_back(WAY_UP_LINE);
    EXPECT_EQ(queued(), onInRoom);

    // V again repeats the page after switching off and on.
    show_page(12);
    press(KEY_V);
    press(KEY_V);
    EXPECT_EQ(queued(), (Words{"Voice on", "You're late... What took you so long?", PAGE_ON_LINE}));
}

TEST_F(NarrationTest, APageWaitsForTheRoomLineAndStopsWhenItIsTurned)
{
    settings.voice = true;
    walk_in(0, 100.0);
    // One sentence an utterance.
    const Words room{"Home, in the morning.", "Someone stands by the door."};
    EXPECT_EQ(queued(), room);

    // A page opening in the room never cuts the room's line: it is read after it.
    const int beforePage = speechGeneration;
    show_page(1);
    EXPECT_EQ(queued(), (Words{room[0], room[1], "I worry when you're away...", PAGE_ON_LINE}));
    EXPECT_EQ(speechGeneration, beforePage) << "nothing said in the room is stopped";

    next_frame();
    EXPECT_EQ(queued().size(), 4u) << "a page is queued once, not every frame";

    // The page is turned: its words stop at once, and the room is not named again.
    const int beforeTurn = speechGeneration;
    game.gameMode = Play;
    next_frame();
    EXPECT_TRUE(speechQueue.empty());
    EXPECT_NE(speechGeneration, beforeTurn);

    // The prompt turned to the title: the title is read in its place.
    show_page(40);
    show_page(0);
    EXPECT_EQ(queued(), (Words{"Karvelle", "Flashing images: K for calm mode", "F1 for settings", "E for endings", "Press Space to Begin"}));
    // Play begun from the title names the first room, heard before: by its first sentence.
    walk_in(0, 10.0);
    EXPECT_EQ(queued(), (Words{room[0]}));
}

TEST_F(NarrationTest, ARoomSaysItsWaysAheadFirst)
{
    const bool none[10] = {};
    EXPECT_EQ(room_words(3, none), std::string("A way up ahead. ") + room_line(3));
    EXPECT_EQ(room_words(13, none), std::string("A way down ahead. ") + room_line(13));
    EXPECT_EQ(room_words(65, none), std::string("A way up and a way down ahead. ") + room_line(65));
    EXPECT_EQ(room_words(1, none), room_line(1)) << "no way, nothing ahead";
    EXPECT_EQ(room_words(499, none), "");
}

TEST_F(NarrationTest, AWayInShadowIsSaidAsThePictureShowsIt)
{
    // The first five paths walked: room 3's way up lies in shadow.
    bool found[10] = {false, true, true, true, true, true, false, false, false, false};
    EXPECT_EQ(room_words(3, found),
              std::string("A way up ahead. ") + room_line(3) + " The way up lies in shadow: its paths are walked.");
    // Paths six and seven: the way on.
    bool late[10] = {false, false, false, false, false, false, true, true, false, false};
    EXPECT_EQ(room_words(3, late),
              std::string("A way up ahead. ") + room_line(3) + " The way on lies in shadow: its paths are walked.");
    // Both groups walked: the room is clear again, and so are its words.
    bool all[10] = {false, true, true, true, true, true, true, true, false, false};
    EXPECT_EQ(room_words(3, all), std::string("A way up ahead. ") + room_line(3));
    // Paths four and five: the steps down in room 13.
    bool second[10] = {false, false, false, false, true, true, false, false, false, false};
    EXPECT_NE(room_words(13, second).find("The way down lies in shadow"), std::string::npos);
}

TEST_F(NarrationTest, TheWaysAreSaidOnArrivalAndWhenPassed)
{
    settings.voice = true;
    walk_in(3, 5.0);
    // The way ahead is said at once; what is seen waits for the way, which the
    // walker reaches within a second, so that nothing long stands before its line.
    EXPECT_EQ(queued(), (Words{"A way up ahead."}));

    // Walking through columns 1 and 2 says nothing more; column 3 holds the way up.
    for (double x = 5.0; x < 160.0; x += 2.5) {
        game.playerX = x;
        next_frame();
    }
    EXPECT_EQ(queued().size(), 1u);
    // The walker waits there: the way, then the rest of the room.
    const int generation = speechGeneration;
    game.playerX = 160.0;
    next_frame();
    const Words atWay{"A way up ahead.", WAY_UP_LINE, "The road runs on towards the river.",
                      "Houses climb away to the north."};
    EXPECT_EQ(queued(), atWay);
    EXPECT_EQ(speechGeneration, generation);
    // Standing there says it once.
    next_frame();
    next_frame();
    EXPECT_EQ(queued().size(), 4u);
    // Walking on out of the column.
    game.playerX = 240.0;
    next_frame();
    Words passed = atWay;
    passed.push_back(PASSED_UP_LINE);
    EXPECT_EQ(queued(), passed);
    game.playerX = 250.0;
    next_frame();
    EXPECT_EQ(queued().size(), 5u);

    // The next room is a new start: what waits of the last room's words goes, and
    // a shadow over the way is told first at the way.
    game.endingsFound[4] = game.endingsFound[5] = true;
    walk_in(13, 5.0);
    EXPECT_EQ(queued(), (Words{"A way down ahead."}));
    game.playerX = 165.0;  // column 3: the steps down
    next_frame();
    EXPECT_EQ(queued(), (Words{"A way down ahead.", WAY_DOWN_LINE, "The way down lies in shadow: its paths are walked.",
                               "A street of tall houses.", "Steps lead down between them."}));
    game.endingsFound[4] = game.endingsFound[5] = false;

    // Entering where a way is shown: the room first, then the way.
    walk_in(65, 85.0);
    Words maze{"A way up and a way down ahead.", WAY_DOWN_LINE, room_line(65)};
    EXPECT_EQ(queued(), maze);
    // A maze room shows both ways, in different columns.
    game.playerX = 170.0;
    next_frame();
    maze.insert(maze.end(), {PASSED_DOWN_LINE, WAY_UP_LINE});
    EXPECT_EQ(queued(), maze);
}

TEST_F(NarrationTest, TabRepeatsTheLastLineAndOnlyWithTheVoiceOn)
{
    show_page(4);
    press(KEY_TAB);
    EXPECT_TRUE(speechQueue.empty()) << "silent with the voice off";

    settings.voice = true;
    walk_in(3, 5.0);
    game.playerX = 160.0;
    next_frame();
    const int generation = speechGeneration;
    press(KEY_TAB);
    EXPECT_EQ(queued(), (Words{WAY_UP_LINE})) << "the way again, at once";
    EXPECT_NE(speechGeneration, generation);
    press(KEY_TAB);
    EXPECT_EQ(queued(), (Words{WAY_UP_LINE})) << "and again";

    // On a page, the whole page; held, once.
    show_page(12);
    key[KEY_TAB] = 1;
    for (int frame = 0; frame < 4; ++frame) next_frame();
    key[KEY_TAB] = 0;
    next_frame();
    EXPECT_EQ(queued(), (Words{"You're late... What took you so long?", PAGE_ON_LINE}));
    // The switches' own words are not what Tab repeats.
    press(KEY_V);
    press(KEY_V);
    press(KEY_TAB);
    EXPECT_EQ(queued(), (Words{"You're late... What took you so long?", PAGE_ON_LINE}));
}

TEST_F(NarrationTest, ThePadsShouldersSwitchTheVoiceAndRepeat)
{
    // A pad naming its buttons: A, the left and the right shoulder.
    num_joysticks = 1;
    joy[0].num_sticks = 0;
    joy[0].num_buttons = 3;
    set_gamepad_layout({}, {0x130, 0x136, 0x137});
    auto press_button = [](int b) {
        joy[0].button[b].b = 1;
        read_gamepad();
        next_frame();
        next_frame();  // held: once
        joy[0].button[b].b = 0;
        read_gamepad();
        next_frame();
    };
    show_page(4);
    press_button(1);
    EXPECT_TRUE(speechQueue.empty()) << "repeat says nothing with the voice off";
    press_button(2);
    EXPECT_TRUE(settings.voice);
    const Words page = page_utterances(4, 0);
    Words on{"Voice on"};
    on.insert(on.end(), page.begin(), page.end());
    EXPECT_EQ(queued(), on);
    press_button(1);
    EXPECT_EQ(queued(), page);
    press_button(0);
    EXPECT_EQ(queued(), page) << "the action button is not a voice button";
    press_button(2);
    EXPECT_FALSE(settings.voice);
    num_joysticks = 0;
    set_gamepad_layout({}, {});
    read_gamepad();
}

TEST_F(NarrationTest, AnEndingSaysThePathEndsWithTheCount)
{
    settings.voice = true;
    game.endingsFound[3] = true;
    walk_in(10, 100.0);
    narration_cancel();
    // The walk home's ending: the sound event marks it, and play goes on to the fade.
    game.endingsFound[7] = true;
    game.eventCode = -2;
    next_frame();
    EXPECT_EQ(queued(), (Words{"The path ends: two paths out of eight found. "
                               "On the next page, Space walks again and Escape quits."}));
    next_frame();
    EXPECT_EQ(queued().size(), 1u);
    // The Interlude that follows lets it be said to its end.
    const int generation = speechGeneration;
    game.gameMode = Interlude;
    next_frame();
    EXPECT_EQ(speechGeneration, generation);
    // A sound that marks no ending says nothing.
    walk_in(20, 100.0);
    narration_cancel();
    game.eventCode = -12;
    next_frame();
    game.eventCode = -6;
    next_frame();
    EXPECT_TRUE(speechQueue.empty());

    // The last ending: only Escape leaves the next page.
    for (int n = 1; n <= 7; ++n) game.endingsFound[n] = true;
    walk_in(72, 100.0);
    narration_cancel();
    game.endingsFound[8] = true;
    game.eventCode = -10;
    narration_frame();
    EXPECT_EQ(queued(), (Words{"The path ends: eight paths out of eight found. On the next page, Escape quits."}));
}

// The endings page, a page looked back on and a page that hurries are each read
// as they are shown.
TEST_F(NarrationTest, TheEndingsPageTheLookBackAndAHurriedPageAreReadAsShown)
{
    settings.voice = true;
    game.endingsFound[1] = game.endingsFound[7] = true;
    show_page(40);
    narration_cancel();
    open_endings_page();
    narration_frame();
    EXPECT_EQ(queued(), (Words{"Endings found", "1. The loan sharks", "2. Not yet found", "3. Not yet found",
                               "4. Not yet found", "5. Not yet found", "6. Not yet found", "7. The walk home",
                               "8. Not yet found", "Press E to go back"}));
    close_endings_page();
    narration_frame();
    EXPECT_EQ(queued(), page_utterances(40, 2)) << "back on the prompt, it is read again";

    clear_page_history();
    note_page_turned(1, 2);
    show_page(2);
    narration_cancel();
    ASSERT_TRUE(look_back());
    narration_frame();
    EXPECT_EQ(queued(), (Words{"I worry when you're away...", "Press Space to come back"}));
    stop_looking_back();
    narration_frame();
    EXPECT_EQ(queued(), page_utterances(2, 2));

    // With hurry on, a page read before gives its first line only; off, all of it.
    forget_pages_read();
    mark_page_read(4, 0);
    for (const bool hurry : {true, false}) {
        settings.hurry = hurry;
        walk_in(6, 80.0);
        narration_cancel();
        show_page(4);
        EXPECT_EQ(queued(), hurry ? Words{"Foolish human! Turn back or"} : page_utterances(4, 0)) << hurry;
    }
    forget_pages_read();
    clear_page_history();
}

TEST_F(NarrationTest, KSwitchesCalmModeOnTheTitleOnly)
{
    show_page(4);
    press(KEY_K);
    EXPECT_FALSE(settings.calm);
    walk_in(3, 10.0);
    press(KEY_K);
    EXPECT_FALSE(settings.calm);

    show_page(0);
    press(KEY_K);
    EXPECT_TRUE(settings.calm);
    EXPECT_TRUE(speechQueue.empty()) << "silent with the voice off";

    settings.voice = true;
    press(KEY_K);
    EXPECT_FALSE(settings.calm);
    EXPECT_EQ(queued(), (Words{"Calm mode off"}));
}

TEST_F(NarrationTest, KAlsoSwitchesCalmModeOnTheContinuePrompt)
{
    show_page(40);
    press(KEY_K);
    EXPECT_TRUE(settings.calm);
    press(KEY_K);
    EXPECT_FALSE(settings.calm);
}

TEST_F(NarrationTest, KAndVShowWhatTheyDidForASecond)
{
    reset_notice();
    show_page(0);
    press(KEY_K);
    EXPECT_EQ(current_notice(), "Calm mode on");
    press(KEY_V);
    EXPECT_EQ(current_notice(), "Voice on") << "the newer notice takes the place";
    for (int frame = 0; frame < NOTICE_FRAMES - 1; ++frame) notice_tick();
    EXPECT_EQ(current_notice(), "Voice on");
    notice_tick();
    EXPECT_EQ(current_notice(), "") << "gone after a second";

    press(KEY_V);
    EXPECT_EQ(current_notice(), "Voice off");
    press(KEY_K);
    EXPECT_EQ(current_notice(), "Calm mode off");
    // A key that did nothing shows nothing: K in a room.
    reset_notice();
    walk_in(3, 10.0);
    press(KEY_K);
    EXPECT_EQ(current_notice(), "");
}

// What the voice says: the words of every kind of page, a room on entry, the ways
// up and down, the V and K keys and the cancel when a page is turned. Only the
// queue is checked here; no sound is made.
#include <gtest/gtest.h>

#include <allegro.h>

#include <set>
#include <string>
#include <vector>

#include "events/narration.h"
#include "core/game_state.h"
#include "frame/game_setup.h"
#include "render/calm.h"
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
        calmEnabled = false;
        key[KEY_V] = 0;
        key[KEY_K] = 0;
    }
    void TearDown() override
    {
        key[KEY_V] = 0;
        key[KEY_K] = 0;
        reset_narration();
        calmEnabled = false;
    }
    static Words queued() { return Words(speechQueue.begin(), speechQueue.end()); }
    // One frame with V (or K) pressed anew, and one with it let go.
    static void press(int scancode)
    {
        key[scancode] = 1;
        narration_frame();
        key[scancode] = 0;
        narration_frame();
    }
    static void show_page(EventCode code)
    {
        game.gameMode = EventScreen;
        game.eventCode = code;
        narration_frame();
    }
    static void walk_in(int room, double x)
    {
        game.gameMode = Play;
        game.currentRoom = room;
        game.playerX = x;
        narration_frame();
    }
};

}  // namespace

TEST_F(NarrationTest, EveryKindOfPageIsReadInOrder)
{
    EXPECT_EQ(page_utterances(0, 0), (Words{"Karvelle", "Press Space to Begin"}));
    EXPECT_EQ(page_utterances(0, 3), (Words{"Karvelle", "three paths out of eight", "Press Space to Begin"}));
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
    for (int frame = 0; frame < 5; ++frame) narration_frame();
    key[KEY_V] = 0;
    narration_frame();
    EXPECT_TRUE(voiceEnabled);
    EXPECT_EQ(queued(), (Words{"Voice on", "Karvelle", "Press Space to Begin"}));

    const int generation = speechGeneration;
    press(KEY_V);
    EXPECT_FALSE(voiceEnabled);
    EXPECT_EQ(queued(), (Words{"Voice off"}));
    EXPECT_NE(speechGeneration, generation) << "what was being said stops";

    // On again in play: the room and the way up where the player stands.
    walk_in(3, 170.0);
    press(KEY_V);
    EXPECT_EQ(queued(), (Words{"Voice on", room_line(3), WAY_UP_LINE}));

    // V again repeats the page after switching off and on.
    show_page(12);
    press(KEY_V);
    press(KEY_V);
    EXPECT_EQ(queued(), (Words{"Voice on", "You're late... What took you so long?", PAGE_ON_LINE}));
}

TEST_F(NarrationTest, APageIsReadWhenItOpensAndStoppedWhenItIsTurned)
{
    voiceEnabled = true;
    walk_in(0, 100.0);
    EXPECT_EQ(queued(), (Words{room_line(0)}));

    const int beforePage = speechGeneration;
    show_page(1);
    EXPECT_EQ(queued(), (Words{"I worry when you're away...", PAGE_ON_LINE}));
    EXPECT_NE(speechGeneration, beforePage) << "the room's words stop for the page";

    narration_frame();
    EXPECT_EQ(queued().size(), 2u) << "a page is queued once, not every frame";

    // The page is turned: its words stop at once, and the room is not named again.
    const int beforeTurn = speechGeneration;
    game.gameMode = Play;
    narration_frame();
    EXPECT_TRUE(speechQueue.empty());
    EXPECT_NE(speechGeneration, beforeTurn);

    // The prompt turned to the title: the title is read in its place.
    show_page(40);
    show_page(0);
    EXPECT_EQ(queued(), (Words{"Karvelle", "Press Space to Begin"}));
    // Play begun from the title names the first room.
    walk_in(0, 10.0);
    EXPECT_EQ(queued(), (Words{room_line(0)}));
}

TEST_F(NarrationTest, RoomEntryAndTheWaysUpAndDown)
{
    voiceEnabled = true;
    walk_in(3, 5.0);
    EXPECT_EQ(queued(), (Words{room_line(3)}));

    // Walking through columns 1 and 2 says nothing more; column 3 holds the way up.
    for (double x = 5.0; x < 160.0; x += 2.5) {
        game.playerX = x;
        narration_frame();
    }
    EXPECT_EQ(queued().size(), 1u);
    // The way up is news that cannot wait: it cuts the room's line short.
    const int generation = speechGeneration;
    game.playerX = 160.0;
    narration_frame();
    EXPECT_EQ(queued(), (Words{WAY_UP_LINE}));
    EXPECT_NE(speechGeneration, generation);
    // Standing there says it once.
    narration_frame();
    narration_frame();
    EXPECT_EQ(queued().size(), 1u);

    // The next room is a new start: what was left of the last room's words goes.
    walk_in(13, 5.0);
    EXPECT_EQ(queued(), (Words{room_line(13)}));
    game.playerX = 165.0;  // column 3: the steps down
    narration_frame();
    EXPECT_EQ(queued(), (Words{WAY_DOWN_LINE}));

    // Entering where a way is shown: the room first, then the way.
    walk_in(65, 85.0);
    EXPECT_EQ(queued(), (Words{room_line(65), WAY_DOWN_LINE}));
    // A maze room shows both ways, in different columns.
    game.playerX = 170.0;
    narration_frame();
    EXPECT_EQ(queued(), (Words{WAY_UP_LINE}));
}

TEST_F(NarrationTest, KSwitchesCalmModeOnTheTitleOnly)
{
    show_page(4);
    press(KEY_K);
    EXPECT_FALSE(calmEnabled);
    walk_in(3, 10.0);
    press(KEY_K);
    EXPECT_FALSE(calmEnabled);

    show_page(0);
    press(KEY_K);
    EXPECT_TRUE(calmEnabled);
    EXPECT_TRUE(speechQueue.empty()) << "silent with the voice off";

    voiceEnabled = true;
    press(KEY_K);
    EXPECT_FALSE(calmEnabled);
    EXPECT_EQ(queued(), (Words{"Calm mode off"}));
}

// Keys of one's own: every action moved to another key is done by that key and no
// longer by its old one; [keys] names keys as Allegro does; a name that is no key
// is reported once and the default kept.
#include <gtest/gtest.h>

#include <allegro.h>

#include <functional>
#include <string>

#include "audio/audio_backend.h"
#include "audio/captions.h"
#include "events/endings_page.h"
#include "events/event_screen.h"
#include "events/narration.h"
#include "frame/accessibility.h"
#include "core/game_state.h"
#include "frame/game_setup.h"
#include "frame/pause.h"
#include "play/input.h"
#include "play/key_map.h"
#include "play/walking.h"
#include "render/calm.h"
#include "world/room.h"
#include "test_support.h"

namespace {

void clear_keys()
{
    for (int k = 0; k < KEY_MAX; ++k) key[k] = 0;
}

// A fresh game in play, standing in a bare room with ways up and down in column 1.
void fresh_play()
{
    clear_keys();
    construct_game_state();
    reset_input();
    reset_event_screen_input();
    reset_narration();
    reset_pause();
    settings.calm = false;
    settings.captions = false;
    game.gameMode = Play;
    game.fadeState = Idle;
    game.fadeLevel = 0;
    game.currentRoom = 499;
    Room& room = room_at(499);
    room = Room{};
    room.hasUpExit = room.hasDownExit = true;
    room.upExitColumn = room.downExitColumn = 1;
    game.playerX = 10.0;
}

// One frame with the key down after one with it up, then one with it up again:
// whether the action took place.
using Probe = std::function<bool(int scancode)>;

// On page `code`: one frame with the key up, then one with it down.
void press_on_page(int scancode, EventCode code)
{
    game.gameMode = EventScreen;
    game.eventCode = code;
    RenderContext context;
    for (int down : {0, 1}) {
        key[scancode] = down;
        poll_input();
        event_screen_input(context);
    }
    key[scancode] = 0;
}

bool page_turned(int scancode)
{
    fresh_play();
    press_on_page(scancode, 4);
    return game.gameMode == Play;
}

bool quit_from_page(int scancode)
{
    fresh_play();
    game.gameMode = EventScreen;
    game.eventCode = 4;
    RenderContext context;
    key[scancode] = 1;
    { poll_input(); event_screen_input(context); }
    key[scancode] = 0;
    return game.quitRequested;
}

bool held_in_play(int scancode, Action action)
{
    fresh_play();
    key[scancode] = 1;
    poll_input();
    key[scancode] = 0;
    return held(action);
}

bool gave_up(int scancode)
{
    fresh_play();
    poll_input();
    key[scancode] = 1;
    { poll_input(); play_input(); }
    key[scancode] = 0;
    return game.gameMode == Interlude;
}

bool display_switched(int scancode)
{
    fresh_play();
    // The switch waits for its keys to come up; with no window they count as up.
    key[scancode] = 1;
    if (scancode == KEY_ENTER) key[KEY_ALT] = 1;
    poll_input();
    clear_keys();
    return game.fullscreenToggleRequested;
}

bool new_game_started(int scancode)
{
    fresh_play();
    game.endingsFound[2] = true;
    press_on_page(scancode, 40);
    return game.eventCode == 0 && !game.endingsFound[2];
}

// The key opens the endings page from the title.
bool endings_page_opened(int scancode)
{
    fresh_play();
    press_on_page(scancode, 0);
    const bool opened = endings_page_open();
    reset_event_screen_input();
    return opened;
}

bool switched(int scancode, bool& mode, void (*step)())
{
    fresh_play();
    game.gameMode = EventScreen;
    game.eventCode = 0;
    const bool before = mode;
    step();
    key[scancode] = 1;
    step();
    key[scancode] = 0;
    step();
    const bool flipped = mode != before;
    reset_narration();
    settings.calm = settings.captions = false;
    return flipped;
}

bool paused(int scancode)
{
    fresh_play();
    RenderContext context;
    poll_input();
    pause_step(context);
    key[scancode] = 1;
    poll_input();
    pause_step(context);
    key[scancode] = 0;
    const bool result = gamePaused;
    reset_pause();
    return result;
}

struct Case {
    Action action;
    int oldKey;
    const char* newName;
    int newKey;
    Probe probe;
};

class KeyMapTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ensure_allegro();
        savedFocus = keyboardFocused;
        keyboardFocused = [] { return false; };
        savedBackend = audioBackend;
        audioBackend = AudioBackend{};
        reset_key_map();
    }
    void TearDown() override
    {
        reset_key_map();
        fresh_play();
        construct_game_state();
        keyboardFocused = savedFocus;
        audioBackend = savedBackend;
        set_config_data("", 0);
    }
    bool (*savedFocus)() = nullptr;
    AudioBackend savedBackend{};
};

TEST_F(KeyMapTest, EveryActionMovedToAnotherKeyFollowsItsKey)
{
    const Case cases[] = {
        {Action::Walk, KEY_RIGHT, "L", KEY_L, [](int k) { return held_in_play(k, Action::Walk); }},
        {Action::Up, KEY_UP, "I", KEY_I, [](int k) { return held_in_play(k, Action::Up); }},
        {Action::Down, KEY_DOWN, "J", KEY_J, [](int k) { return held_in_play(k, Action::Down); }},
        {Action::Page, KEY_SPACE, "ENTER_PAD", KEY_ENTER_PAD, page_turned},
        {Action::GiveUp, KEY_BACKSPACE, "Q", KEY_Q, gave_up},
        {Action::Quit, KEY_ESC, "F10", KEY_F10, quit_from_page},
        {Action::ToggleDisplay, KEY_F4, "F11", KEY_F11, display_switched},
        {Action::NewGame, KEY_N, "Y", KEY_Y, new_game_started},
        {Action::Voice, KEY_V, "F5", KEY_F5,
         [](int k) { return switched(k, settings.voice, [] { poll_input(); narration_frame(); }); }},
        {Action::Calm, KEY_K, "F6", KEY_F6, [](int k) { return switched(k, settings.calm, [] { poll_input(); narration_frame(); }); }},
        {Action::Captions, KEY_T, "F7", KEY_F7,
         [](int k) { return switched(k, settings.captions, [] { poll_input(); accessibility_frame(); }); }},
        {Action::Pause, KEY_P, "PAUSE", KEY_PAUSE, paused},
        {Action::Left, KEY_LEFT, "H", KEY_H, [](int k) { return held_in_play(k, Action::Left); }},
        {Action::Settings, KEY_F1, "F9", KEY_F9, [](int k) { return held_in_play(k, Action::Settings); }},
        {Action::Repeat, KEY_TAB, "F8", KEY_F8, [](int k) {
             key[k] = 1;
             const bool down = action_down(Action::Repeat);
             key[k] = 0;
             return down;
         }},
        {Action::Endings, KEY_E, "F3", KEY_F3, endings_page_opened},
    };
    ASSERT_EQ(std::size(cases), size_t(ACTION_COUNT));
    for (const Case& c : cases) {
        const std::string name = action_name(c.action);
        reset_key_map();
        EXPECT_TRUE(c.probe(c.oldKey)) << name << ": the default key works";
        EXPECT_FALSE(c.probe(c.newKey)) << name << ": the new key does nothing before the move";

        const std::string config = "[keys]\n" + name + " = " + c.newName + "\n";
        set_config_data(config.c_str(), int(config.size()));
        read_key_map_config();
        EXPECT_TRUE(c.probe(c.newKey)) << name << ": moved to " << c.newName;
        EXPECT_FALSE(c.probe(c.oldKey)) << name << ": the old key no longer";
    }
}

TEST_F(KeyMapTest, TheDisplaySwitchKeepsItsCombinations)
{
    EXPECT_TRUE(display_switched(KEY_ENTER)) << "Alt+Enter";
    fresh_play();
    key[KEY_ENTER] = 1;
    poll_input();
    clear_keys();
    EXPECT_FALSE(game.fullscreenToggleRequested) << "Enter alone turns pages only";

    const std::string config = "[keys]\ntoggle_display = LCONTROL+F\n";
    set_config_data(config.c_str(), int(config.size()));
    read_key_map_config();
    EXPECT_FALSE(display_switched(KEY_ENTER));
    fresh_play();
    key[KEY_F] = 1;
    poll_input();
    EXPECT_FALSE(game.fullscreenToggleRequested) << "F without Control";
    key[KEY_LCONTROL] = 1;
    poll_input();
    clear_keys();
    EXPECT_TRUE(game.fullscreenToggleRequested);
}

TEST_F(KeyMapTest, SeveralKeysForOneAction)
{
    const std::string config = "[keys]\nwalk = right, d\ngive_up = backspace key_r Q\n";
    set_config_data(config.c_str(), int(config.size()));
    read_key_map_config();
    EXPECT_TRUE(held_in_play(KEY_RIGHT, Action::Walk));
    EXPECT_TRUE(held_in_play(KEY_D, Action::Walk));
    for (int k : {KEY_BACKSPACE, KEY_R, KEY_Q}) EXPECT_TRUE(gave_up(k)) << k;
}

TEST_F(KeyMapTest, AKeyThatDoesNotExistIsNamedOnceAndTheDefaultStays)
{
    const std::string config = "[keys]\nvoice = SPACEBAR\ncalm = K9\npause = F2\n";
    set_config_data(config.c_str(), int(config.size()));
    testing::internal::CaptureStderr();
    read_key_map_config();
    const std::string said = testing::internal::GetCapturedStderr();
    EXPECT_EQ(said,
              "Karvelle: [keys] voice: no key is called \"SPACEBAR\"; the default keys stay\n"
              "Karvelle: [keys] calm: no key is called \"K9\"; the default keys stay\n");
    EXPECT_EQ(action_keys(Action::Voice), (std::vector<KeyChord>{{KEY_V}}));
    EXPECT_EQ(action_keys(Action::Calm), (std::vector<KeyChord>{{KEY_K}}));
    EXPECT_EQ(action_keys(Action::Pause), (std::vector<KeyChord>{{KEY_F2}})) << "a good line still counts";
}

TEST_F(KeyMapTest, NoOtherActionTakesTheQuitKey)
{
    const char* const lines[][2] = {
        {"toggle_display = ESC", "toggle_display: ESC quits"},
        {"page = SPACE key_esc", "page: ESC quits"},
        {"give_up = F10\nquit = LCONTROL+F10", "give_up: LCONTROL+F10 quits"},
    };
    auto read_keys = [](const std::string& line) {
        const std::string config = "[keys]\n" + line + "\n";
        set_config_data(config.c_str(), int(config.size()));
        read_key_map_config();
    };
    for (const auto& [line, said] : lines) {
        testing::internal::CaptureStderr();
        read_keys(line);
        EXPECT_EQ(testing::internal::GetCapturedStderr(),
                  std::string("Karvelle: [keys] ") + said + " the game; the default keys stay\n");
        EXPECT_EQ(action_keys(Action::ToggleDisplay).size() + action_keys(Action::Page).size(), 3u + 14u) << line;
        EXPECT_EQ(action_keys(Action::GiveUp).size(), 2u) << line;
    }
    read_keys("toggle_display = ESC");
    EXPECT_TRUE(quit_from_page(KEY_ESC)) << "Escape still quits";
    EXPECT_FALSE(display_switched(KEY_ESC));
    // A chord that needs more than the quit key leaves Escape alone.
    read_keys("toggle_display = ESC+F4");
    EXPECT_EQ(action_keys(Action::ToggleDisplay), (std::vector<KeyChord>{{KEY_ESC, KEY_F4}}));
}

TEST_F(KeyMapTest, NamesAsAllegroCallsItsKeys)
{
    EXPECT_EQ(key_by_name("ENTER"), KEY_ENTER);
    EXPECT_EQ(key_by_name("key_f2"), KEY_F2);
    EXPECT_EQ(key_by_name("k"), KEY_K);
    EXPECT_EQ(key_by_name("0_PAD"), KEY_0_PAD);
    EXPECT_EQ(key_by_name("RETURN"), 0);
    EXPECT_EQ(key_by_name(""), 0);
    EXPECT_EQ(key_name(KEY_ALTGR), "ALTGR");

    std::vector<KeyChord> chords;
    std::string bad;
    EXPECT_TRUE(parse_key_chords("ALT+ENTER  F4", chords, bad));
    EXPECT_EQ(chords, (std::vector<KeyChord>{{KEY_ALT, KEY_ENTER}, {KEY_F4}}));
    EXPECT_FALSE(parse_key_chords("ALT+ENTRE", chords, bad));
    EXPECT_EQ(bad, "ENTRE");
    EXPECT_FALSE(parse_key_chords(" , ", chords, bad)) << "nothing named";
}

}  // namespace

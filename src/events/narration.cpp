// What the game says aloud, and when: every page as it opens, each room as it is
// entered, a way up or down as the player reaches it, and the switches themselves.
#include "events/narration.h"

#include <allegro.h>

#include "events/endings.h"
#include "events/event_screen.h"
#include "events/pages.h"
#include "render/calm.h"
#include "world/exit_columns.h"
#include "world/room.h"

bool voiceEnabled = false;

namespace {

// What is on the screen, as far as speaking goes: a page (its code), play, or the
// black Interlude.
constexpr int SCREEN_PLAY = -1000;
constexpr int SCREEN_INTERLUDE = -1001;
constexpr int SCREEN_NONE = -1002;

int lastScreen = SCREEN_NONE;
int spokenRoom = -1;       // the room whose line was last given, -1 for none
int reachedColumn = -1;    // the column the player stood in at the last frame
bool vWasDown = false;
bool kWasDown = false;

int screen_now()
{
    switch (game.gameMode) {
    case Play: return SCREEN_PLAY;
    case Interlude: return SCREEN_INTERLUDE;
    case EventScreen:
    case TheEnd: return game.eventCode;
    }
    return SCREEN_NONE;
}

int endings_found()
{
    int count = 0;
    for (bool found : game.endingsFound)
        if (found) ++count;
    return count;
}

// "[Press Space to Begin]" is read as "Press Space to Begin".
std::string unbracketed(const std::string& text)
{
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']') return text.substr(1, text.size() - 2);
    return text;
}

void say(const std::string& text) { speechQueue.push_back(text); }

void say_room_entry()
{
    spokenRoom = game.currentRoom;
    reachedColumn = -1;
    if (const char* line = room_line(game.currentRoom)) say(line);
}

// The ways up and down shown where the player now stands, once on arrival there.
// A player walking on is past the place within a second, so the news cuts short
// whatever is being said, unless that is the room's line just begun.
void say_reached_exits(bool interrupt)
{
    const int column = column_of(game.playerX);
    if (column == reachedColumn) return;
    reachedColumn = column;
    const Room& room = current_room();
    const bool up = room.hasUpExit && column == room.upExitColumn;
    const bool down = room.hasDownExit && column == room.downExitColumn;
    if ((up || down) && interrupt) narration_cancel();
    if (up) say(WAY_UP_LINE);
    if (down) say(WAY_DOWN_LINE);
}

// Everything there is to say about the screen as it stands.
void describe_screen()
{
    const int screen = screen_now();
    if (screen == SCREEN_PLAY) {
        say_room_entry();
        say_reached_exits(false);
    } else if (screen != SCREEN_INTERLUDE) {
        for (const std::string& text : page_utterances(game.eventCode, endings_found())) say(text);
    }
}

void toggle_voice()
{
    narration_cancel();
    voiceEnabled = !voiceEnabled;
    say(voiceEnabled ? "Voice on" : "Voice off");
    if (voiceEnabled) describe_screen();
}

void toggle_calm()
{
    calmEnabled = !calmEnabled;
    if (!voiceEnabled) return;
    narration_cancel();
    say(calmEnabled ? "Calm mode on" : "Calm mode off");
}

// Follows the screens and the walk, speaking what is new.
void watch_screen()
{
    const int screen = screen_now();
    if (screen != lastScreen) {
        lastScreen = screen;
        // A page opened or turned: what was being said stops at once.
        narration_cancel();
        // After a dialogue page the walk goes on in the same room; after the title
        // or an ending a new walk begins, and its first room is named.
        const bool dialogue = screen >= 0 && screen != TITLE_PAGE && screen != CONTINUE_PROMPT && screen != END_PAGE;
        if (screen != SCREEN_PLAY && !dialogue) spokenRoom = -1;
        if (voiceEnabled && screen != SCREEN_PLAY && screen != SCREEN_INTERLUDE)
            for (const std::string& text : page_utterances(game.eventCode, endings_found())) say(text);
    }
    if (screen != SCREEN_PLAY) return;
    bool entered = false;
    if (game.currentRoom != spokenRoom) {
        // A room left behind is not described to its end.
        narration_cancel();
        if (voiceEnabled)
            say_room_entry();
        else
            spokenRoom = game.currentRoom;
        reachedColumn = -1;
        entered = true;
    }
    if (voiceEnabled)
        say_reached_exits(!entered);
    else
        reachedColumn = column_of(game.playerX);
}

}  // namespace

std::vector<std::string> page_utterances(EventCode code, int endingsCount)
{
    std::vector<std::string> said;
    switch (code) {
    case TITLE_PAGE:
        said.push_back("Karvelle");
        if (endingsCount > 0) said.push_back(unbracketed(count_line(endingsCount)));
        said.push_back("Press Space to Begin");
        return said;
    case CONTINUE_PROMPT:
        said.push_back("To start a new game, press N.");
        said.push_back("To continue, press SPACE.");
        if (endingsCount > 0) said.push_back(unbracketed(count_line(endingsCount)));
        return said;
    case END_PAGE:
        said.push_back("The End");
        said.push_back("Press escape to exit");
        return said;
    default: break;
    }
    // A page's lines run on as one sentence, read in the order they stand.
    std::string text;
    if (const std::vector<PageLine>* lines = page_lines(code, endingsCount)) {
        for (const PageLine& line : *lines) text += (text.empty() ? "" : " ") + std::string(line.text);
    } else {
        text = "ERROR: oops a daisy you shouldn't be seeing this";
    }
    said.push_back(text);
    said.push_back(PAGE_ON_LINE);
    return said;
}

void narration_frame()
{
    const bool vDown = key[KEY_V] != 0;
    const bool kDown = key[KEY_K] != 0;
    const bool vPressed = vDown && !vWasDown;
    const bool kPressed = kDown && !kWasDown;
    vWasDown = vDown;
    kWasDown = kDown;

    watch_screen();
    if (vPressed) toggle_voice();
    if (kPressed && game.gameMode == EventScreen && game.eventCode == TITLE_PAGE) toggle_calm();
}

void narration_cancel()
{
    speechQueue.clear();
    ++speechGeneration;
}

void reset_narration()
{
    speechQueue.clear();
    ++speechGeneration;
    voiceEnabled = false;
    lastScreen = SCREEN_NONE;
    spokenRoom = -1;
    reachedColumn = -1;
    vWasDown = false;
    kWasDown = false;
}

// What the game says aloud, and when: every page as it opens, each room as it is
// entered, each way up or down as the walker reaches it and walks past it, the
// end of a path, and the switches themselves. A page that opens while the room
// is still being described waits its turn; turning a page, leaving a room and V
// stop what is being said.
#include "events/narration.h"

#include <allegro.h>

#include <algorithm>
#include <set>

#include "events/endings.h"
#include "events/endings_page.h"
#include "events/event_screen.h"
#include "events/hurry.h"
#include "events/listening_cues.h"
#include "events/page_history.h"
#include "events/pages.h"
#include "events/title_warning.h"
#include "play/input.h"
#include "play/way_stop.h"
#include "render/calm.h"
#include "render/ending_shadow.h"
#include "render/foot_lines.h"
#include "world/exit_columns.h"
#include "world/room.h"

namespace {

// What is on the screen, as far as speaking goes: a page (its code), play, or the
// black Interlude.
constexpr int SCREEN_PLAY = -1000;
constexpr int SCREEN_INTERLUDE = -1001;
constexpr int SCREEN_NONE = -1002;
constexpr int SCREEN_LOOK_BACK = 1000;  // one more for every page looked back
constexpr int SCREEN_ENDINGS = 1000000;

int lastScreen = SCREEN_NONE;
int spokenRoom = -1;       // the room whose line was last given, -1 for none
int reachedColumn = -1;    // the column the player stood in at the last frame
EventCode playCode = 0;    // the event code seen at the last Play frame
std::vector<std::string> lastSaid;  // what Tab says again
std::set<int> roomsHeard;           // rooms described in this run
std::vector<std::string> heldForWay;  // what is said of the room once its way is reached

// What is said of a room: the ways ahead, what is seen, the way in shadow.
struct RoomParts {
    std::string ways;
    std::string seen;
    std::string shadow;
};

RoomParts room_parts(int room, const bool* endingsFound)
{
    RoomParts parts;
    const char* line = room_line(room);
    if (!line) return parts;
    const Room& r = room_at(room);
    if (r.hasUpExit && r.hasDownExit)
        parts.ways = "A way up and a way down ahead.";
    else if (r.hasUpExit)
        parts.ways = "A way up ahead.";
    else if (r.hasDownExit)
        parts.ways = "A way down ahead.";
    parts.seen = line;
    switch (ending_shadow(room, endingsFound)) {
    case EndingShadow::TopBand: parts.shadow = "The way up lies in shadow: its paths are walked."; break;
    case EndingShadow::BottomBand: parts.shadow = "The way down lies in shadow: its paths are walked."; break;
    case EndingShadow::RightStrip:
    case EndingShadow::FarRight:
    case EndingShadow::WideRight: parts.shadow = "The way on lies in shadow: its paths are walked."; break;
    case EndingShadow::Home:
    case EndingShadow::None: break;
    }
    return parts;
}

// "A. B." as "A.", "B.": room lines stop a sentence only with ". ".
std::vector<std::string> sentences_of(const std::string& text)
{
    std::vector<std::string> sentences;
    size_t at = 0;
    while (at < text.size()) {
        size_t end = text.find(". ", at);
        end = end == std::string::npos ? text.size() : end + 1;
        sentences.push_back(text.substr(at, end - at));
        at = end < text.size() ? end + 1 : end;
    }
    return sentences;
}

int screen_now()
{
    switch (game.gameMode) {
    case Play: return SCREEN_PLAY;
    case Interlude: return SCREEN_INTERLUDE;
    case EventScreen:
    case TheEnd:
        // The endings page and each page looked back on are screens of their own.
        if (endings_page_open()) return SCREEN_ENDINGS + game.eventCode;
        return game.eventCode + SCREEN_LOOK_BACK * pages_looked_back();
    }
    return SCREEN_NONE;
}

bool is_page(int screen)
{
    return screen >= 0;
}

int endings_found()
{
    int count = 0;
    for (int n = 1; n <= 8; ++n)
        if (game.endingsFound[n]) ++count;
    return count;
}

// The sound event of ending 8, after which comes "The End".
constexpr EventCode LAST_ENDING_CODE = -10;

// The sound events that mark an ending found.
bool marks_ending(EventCode code)
{
    return code <= -2 && code >= -10 && code != -6;
}

// "[Press Space to Begin]" is read as "Press Space to Begin".
std::string unbracketed(const std::string& text)
{
    if (text.size() >= 2 && text.front() == '[' && text.back() == ']') return text.substr(1, text.size() - 2);
    return text;
}

// Words that Tab can give again.
void say_all(const std::vector<std::string>& texts)
{
    for (const std::string& text : texts) speak(text);
    lastSaid = texts;
}

void say_one(const std::string& text)
{
    say_all({text});
}

void say_ahead(const std::string& text)
{
    speak_first(text);
    lastSaid = {text};
}

// A room's words, one sentence an utterance, so that a way reached or a room
// left never has to cut a sentence short: what waits is passed or dropped.
void say_room_entry()
{
    spokenRoom = game.currentRoom;
    reachedColumn = -1;
    heldForWay.clear();
    if (!room_line(game.currentRoom)) return;
    const bool heard = !roomsHeard.insert(game.currentRoom).second;
    std::vector<std::string> said = room_sentences(game.currentRoom, game.endingsFound, heard);
    const Room& room = current_room();
    const int column = column_of(game.playerX);
    const bool wayAhead = (room.hasUpExit && room.upExitColumn > column) || (room.hasDownExit && room.downExitColumn > column);
    if (wayAhead && walker_stops_at_ways() && said.size() > 1) {
        // The walker will stop at the way within a second: nothing long may stand
        // between the stop and its line. The ways now; at the way, after its line,
        // the shadow over it first, then what is seen.
        heldForWay.assign(said.begin() + 1, said.end());
        if (!room_parts(game.currentRoom, game.endingsFound).shadow.empty())
            std::rotate(heldForWay.begin(), heldForWay.end() - 1, heldForWay.end());
        said.resize(1);
    }
    say_all(said);
}

// The ways at the column the player now stands in, once on arrival there, and
// the ways left behind on walking out of their column.
void follow_columns()
{
    const int column = column_of(game.playerX);
    if (column == reachedColumn) return;
    const int previous = reachedColumn;
    reachedColumn = column;
    const Room& room = current_room();
    if (previous > 0 && column > previous) {
        if (room.hasUpExit && previous == room.upExitColumn) say_ahead(PASSED_UP_LINE);
        if (room.hasDownExit && previous == room.downExitColumn) say_ahead(PASSED_DOWN_LINE);
    }
    // The way is said as soon as the sentence being said ends, ahead of the rest.
    const bool atWay = (room.hasUpExit && column == room.upExitColumn) || (room.hasDownExit && column == room.downExitColumn);
    if (room.hasUpExit && column == room.upExitColumn) say_ahead(WAY_UP_LINE);
    if (room.hasDownExit && column == room.downExitColumn) say_ahead(WAY_DOWN_LINE);
    if (atWay && !heldForWay.empty()) {
        // Tab says the way again, not the room.
        for (const std::string& text : heldForWay) speak(text);
        heldForWay.clear();
    }
}

void say_page()
{
    const int count = endings_found();
    if (endings_page_open()) {
        say_all(endings_page_utterances(game.endingsFound));
    } else if (pages_looked_back() > 0) {
        const ReadPage earlier = page_looked_at();
        std::vector<std::string> said = page_utterances(earlier.code, earlier.endingsCount);
        said.back() = PAGE_BACK_LINE;
        say_all(said);
    } else if (page_hurries(game.eventCode, count)) {
        // A page read before: its first line tells where the walk is.
        const std::vector<PageLine>* lines = page_lines(game.eventCode, count);
        say_all({lines && !lines->empty() ? lines->front().text : page_utterances(game.eventCode, count).front()});
    } else {
        say_all(page_utterances(game.eventCode, count));
    }
}

// Everything there is to say about the screen as it stands.
void describe_screen()
{
    const int screen = screen_now();
    if (screen == SCREEN_PLAY) {
        say_room_entry();
        follow_columns();
    } else if (is_page(screen)) {
        say_page();
    }
}

void toggle_voice()
{
    narration_cancel();
    settings.voice = !settings.voice;
    const char* said = settings.voice ? "Voice on" : "Voice off";
    speak(said);
    show_notice(said);
    if (settings.voice) describe_screen();
}

void toggle_calm()
{
    settings.calm = !settings.calm;
    const char* said = settings.calm ? "Calm mode on" : "Calm mode off";
    show_notice(said);
    if (!settings.voice) return;
    narration_cancel();
    speak(said);
}

void repeat_last()
{
    if (!settings.voice) return;
    narration_cancel();
    if (lastSaid.empty()) {
        describe_screen();
        return;
    }
    for (const std::string& text : lastSaid) speak(text);
}

// Follows the screens and the walk, speaking what is new.
void watch_screen()
{
    const int screen = screen_now();
    if (screen != lastScreen) {
        // A page turned stops its words at once. A page opening in a room, or
        // after the Interlude, waits for what is being said to end.
        if (is_page(lastScreen)) narration_cancel();
        lastScreen = screen;
        // After a dialogue page the walk goes on in the same room; after the title
        // or an ending a new walk begins, and its first room is named.
        const bool dialogue = is_page(screen) && screen != TITLE_PAGE && screen != CONTINUE_PROMPT && screen != END_PAGE;
        if (screen != SCREEN_PLAY && !dialogue) spokenRoom = -1;
        if (settings.voice && is_page(screen)) say_page();
        if (screen == SCREEN_PLAY) playCode = game.eventCode;
    }
    if (screen != SCREEN_PLAY) return;
    if (game.currentRoom != spokenRoom) {
        // A room left behind: the sentence being said ends, the rest of it goes.
        speech_drop_waiting();
        if (settings.voice)
            say_room_entry();
        else
            spokenRoom = game.currentRoom;
        reachedColumn = -1;
    }
    if (settings.voice)
        follow_columns();
    else
        reachedColumn = column_of(game.playerX);
    if (game.eventCode != playCode) {
        playCode = game.eventCode;
        if (settings.voice && marks_ending(playCode)) say_one(path_end_words(endings_found(), playCode == LAST_ENDING_CODE));
    }
}

}  // namespace

std::string room_words(int room, const bool* endingsFound)
{
    const RoomParts parts = room_parts(room, endingsFound);
    std::string words;
    for (const std::string* part : {&parts.ways, &parts.seen, &parts.shadow})
        if (!part->empty()) words += (words.empty() ? "" : " ") + *part;
    return words;
}

std::vector<std::string> room_sentences(int room, const bool* endingsFound, bool heardBefore)
{
    const RoomParts parts = room_parts(room, endingsFound);
    std::vector<std::string> said;
    if (!parts.ways.empty()) said.push_back(parts.ways);
    std::vector<std::string> seen = sentences_of(parts.seen);
    // Heard before in this run: the first of what is seen is enough.
    if (heardBefore && seen.size() > 1) seen.resize(1);
    said.insert(said.end(), seen.begin(), seen.end());
    if (!parts.shadow.empty()) said.push_back(parts.shadow);
    return said;
}

std::string path_end_words(int endingsCount, bool lastEnding)
{
    // After the last ending comes "The End", which only Escape leaves.
    return "The path ends: " + unbracketed(count_line(endingsCount)) +
           (lastEnding ? " found. On the next page, Escape quits." : " found. On the next page, Space walks again and Escape quits.");
}

std::vector<std::string> page_utterances(EventCode code, int endingsCount)
{
    std::vector<std::string> said;
    switch (code) {
    case TITLE_PAGE:
        said.push_back("Karvelle");
        said.push_back(flashing_warning());
        said.push_back(settings_hint());
        if (!endings_hint().empty()) said.push_back(endings_hint());
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
    const bool voicePressed = pressed(Action::Voice);
    const bool kPressed = pressed(Action::Calm);
    const bool repeatPressed = pressed(Action::Repeat);

    watch_screen();
    // The player's own switches are remembered; the screen reader's is not.
    if (voicePressed) {
        toggle_voice();
        setting_changed(SettingKey::Voice);
    }
    // Calm mode from the first screen a player sees: the title or the prompt.
    const bool firstScreen = game.eventCode == TITLE_PAGE || game.eventCode == CONTINUE_PROMPT;
    if (kPressed && game.gameMode == EventScreen && firstScreen) {
        toggle_calm();
        setting_changed(SettingKey::Calm);
    }
    if (repeatPressed && !voicePressed) repeat_last();
    listening_cues_frame();
}

void narration_switch_voice()
{
    toggle_voice();
}

void narration_announce(const std::string& text)
{
    if (!settings.voice) return;
    narration_cancel();
    speak(text);
}

void narration_describe_screen()
{
    if (!settings.voice) return;
    narration_cancel();
    describe_screen();
}

void narration_cancel()
{
    speech_cancel();
}

void reset_narration()
{
    speech_cancel();
    settings.voice = false;
    lastScreen = SCREEN_NONE;
    spokenRoom = -1;
    reachedColumn = -1;
    playCode = 0;
    lastSaid.clear();
    roomsHeard.clear();
    heldForWay.clear();
    reset_listening_cues();
}

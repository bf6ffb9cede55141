// The player's keys: every action of the game and the keys that do it, the
// defaults or what [keys] in config.ini names instead.
#pragma once

#include <string>
#include <vector>

enum class Action {
    Walk,
    Up,
    Down,
    Page,
    GiveUp,
    Quit,
    ToggleDisplay,
    NewGame,
    Voice,
    Calm,
    Captions,
    Pause,
    Repeat,
    Left,
    Settings,
    Endings,
};
constexpr int ACTION_COUNT = 16;

// Keys held together: the chord is down while every one of its scancodes is.
using KeyChord = std::vector<int>;

// The single point where the state of one key is read; every action reads its
// keys through it.
bool key_down(int scancode);

// Whether any chord of the action is down now.
bool action_down(Action action);
// Whether the chord `index` of the action is down (false past the last one).
bool action_chord_down(Action action, size_t index);
const std::vector<KeyChord>& action_keys(Action action);
void set_action_keys(Action action, std::vector<KeyChord> chords);

// The name of an action in [keys]: "walk", "give_up", "toggle_display"...
const char* action_name(Action action);
// An Allegro key name, as the KEY_ constants are called, with or without "KEY_"
// and in any case ("ENTER", "key_f2", "k"); 0 for no such key.
int key_by_name(const std::string& name);
// The name of a scancode as players read it ("K", "F2", "ENTER"); "?" for none.
std::string key_name(int scancode);
// One [keys] value: chords separated by spaces or commas, the keys of a chord
// joined by '+' ("ALT+ENTER F4"). False, with the first unknown name in `bad`,
// when a name is not a key or nothing is named.
bool parse_key_chords(const std::string& value, std::vector<KeyChord>& chords, std::string& bad);

// Every action back to its default keys.
void reset_key_map();
// Reads [keys] from the configuration Allegro has open. A value naming a key that
// does not exist is reported in one line on stderr and the action keeps its keys.
void read_key_map_config();

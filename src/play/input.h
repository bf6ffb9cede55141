// The one input pass of a frame: the keys (with the taps the latch kept) and the
// gamepad become the frame's actions, each held, newly pressed or just let go,
// and every mode reads those. No module keeps a key's previous state of its own.
#pragma once

#include <vector>

#include "play/key_map.h"

struct Button {
    bool held = false;     // down at this poll
    bool pressed = false;  // down at this poll and up at the previous one
    bool letGo = false;    // up at this poll and down at the previous one
};

struct InputState {
    Button actions[ACTION_COUNT];  // by Action: its keys, and the pad's part in it
    // Two pad buttons that mean more than their action: Start (a page key, which
    // in a room pauses) and Back/Select (give up, which on the title opens the settings).
    Button padStart;
    Button padBack;
};

extern InputState input;

// No button held or pressed.
void reset_input();
// The frame's input pass, first thing in every frame: the full-screen toggle
// keys, then every action into `input`.
void poll_input();

// What the last pass found for an action: pressed(Action::Walk)...
bool pressed(Action action);
bool held(Action action);
bool let_go(Action action);

// Whether any of the keys that advance a page when pressed is down (or was
// tapped since the last frame); Alt and AltGr, which advance it when let go,
// are not among them.
bool action_key_down();
// Waits, polling nothing but the music, until every one of the given Allegro keys
// is up. Allegro's keyboard thread releases them. The wait ends early, with the
// keys marked up, on a quit request or when the window loses the keyboard.
void wait_until_keys_up(int firstKey, int secondKey = -1);
void wait_until_keys_up(const std::vector<int>& keys);
// The last key of every chord of an action, each once: the keys whose release
// ends a combination (Enter and F4 for the display switch).
std::vector<int> last_keys_of(Action action);

// Whether the window still receives the keys (window_has_keyboard); tests replace it.
extern bool (*keyboardFocused)();

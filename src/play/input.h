// The keyboard state of one poll, shared by the input steps of every mode.
#pragma once

#include <vector>

#include "play/key_map.h"

struct Button {
    bool held = false;     // down at this poll
    bool pressed = false;  // down at this poll and up at the previous one
};

struct InputState {
    Button keyUp;
    Button keyDown;
    Button keyRight;
    Button keyAction;
    Button keyBackspace;
    Button keyR;
};

extern InputState input;

// No button held or pressed.
void reset_input();
// Reads the keys (key_seen: down, or tapped since the last frame) into `input`
// and handles the full-screen toggle keys.
void poll_input();

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

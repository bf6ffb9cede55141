// Polling the keyboard and the gamepad into the one InputState, and the full-screen toggle keys.
#include "play/input.h"

#include <allegro.h>

#include "audio/music.h"
#include "core/frame_stats.h"
#include "core/game_state.h"
#include "platform/x_server.h"
#include "play/gamepad.h"
#include "play/key_latch.h"
#include "play/key_map.h"

InputState input;

namespace {

// A key as the keyboard thread last saw it, taps aside: what the waits watch.
bool held_now(int scancode)
{
    return scancode > 0 && scancode < KEY_MAX && key[scancode] != 0;
}

// Whether the key begins a display-switch combination: Alt and AltGr by default.
bool begins_switch_chord(int scancode)
{
    for (const KeyChord& chord : action_keys(Action::ToggleDisplay))
        for (size_t i = 0; i + 1 < chord.size(); ++i)
            if (chord[i] == scancode) return true;
    return false;
}

// A page key that begins a switch combination (Alt, AltGr) turns the page when
// let go, not when pressed, as it may be the first half of Alt+Enter.
bool turns_page_when_let_go(const KeyChord& chord)
{
    return chord.size() == 1 && begins_switch_chord(chord[0]);
}

// Polls such a key has been down since its press; 0 once the press went into a
// display switch. Held longer than half a second (across the trigger of a page,
// say), it turns nothing when let go.
int leadDownPolls = 0;
constexpr int LEAD_TAP_POLLS = 30;

// Whether such a key was let go at this poll after a short press of its own.
bool lead_page_key_let_go()
{
    bool anyDown = false;
    for (const KeyChord& chord : action_keys(Action::Page))
        if (turns_page_when_let_go(chord) && key_down(chord[0])) anyDown = true;
    if (anyDown) {
        ++leadDownPolls;
        return false;
    }
    const bool letGo = leadDownPolls > 0 && leadDownPolls <= LEAD_TAP_POLLS;
    leadDownPolls = 0;
    return letGo;
}

void update(Button& button, bool downNow)
{
    button.pressed = downNow && !button.held;
    button.letGo = !downNow && button.held;
    button.held = downNow;
}

Button& button(Action action)
{
    return input.actions[size_t(action)];
}

// The pad's part in each action.
bool pad_down(Action action, const PadState& pad)
{
    switch (action) {
    case Action::Walk: return pad.right;
    case Action::Left: return pad.left;
    case Action::Up: return pad.up;
    case Action::Down: return pad.down;
    case Action::Page: return pad.action;
    case Action::GiveUp: return pad.back;
    case Action::Voice: return pad.voice;
    case Action::Repeat: return pad.repeat;
    default: return false;
    }
}

}  // namespace

void reset_input()
{
    input = InputState{};
    leadDownPolls = 0;
    reset_key_latch();
}

bool action_key_down()
{
    const std::vector<KeyChord>& chords = action_keys(Action::Page);
    for (size_t i = 0; i < chords.size(); ++i)
        if (!turns_page_when_let_go(chords[i]) && action_chord_down(Action::Page, i)) return true;
    return false;
}

bool (*keyboardFocused)() = window_has_keyboard;

void wait_until_keys_up(int firstKey, int secondKey)
{
    std::vector<int> keys{firstKey};
    if (secondKey >= 0) keys.push_back(secondKey);
    wait_until_keys_up(keys);
}

void wait_until_keys_up(const std::vector<int>& keys)
{
    auto any_down = [&keys]() {
        for (int scancode : keys)
            if (held_now(scancode)) return true;
        return false;
    };
    if (!any_down()) return;
    frame_stats_event(FRAME_KEY_WAIT);
    // No frame is drawn while the player holds the key, but the music plays on.
    while (any_down()) {
        // A quit request ends the wait. So does the window losing the keyboard
        // (where the focus follows the pointer, by the pointer leaving it): the
        // release then goes to another window and never reaches the game, so the
        // keys are taken as released.
        if (game.quitRequested || !keyboardFocused()) {
            for (int scancode : keys)
                if (scancode > 0 && scancode < KEY_MAX) key[scancode] = 0;
            return;
        }
        rest(1);
        poll_music();
    }
}

std::vector<int> last_keys_of(Action action)
{
    std::vector<int> keys;
    for (const KeyChord& chord : action_keys(action)) {
        if (chord.empty()) continue;
        bool known = false;
        for (int scancode : keys) known |= scancode == chord.back();
        if (!known) keys.push_back(chord.back());
    }
    return keys;
}

void poll_input()
{
    // Alt+Enter, AltGr+Enter or F4 switch between window and full screen; the
    // keys must be let go before anything else is read, or the switch repeats.
    // Not on the end page, whose one key is Escape.
    if (game.gameMode != TheEnd && action_down(Action::ToggleDisplay)) {
        game.fullscreen = !game.fullscreen;
        game.fullscreenToggleRequested = true;
        // The key that completes each combination (Enter, F4) must come up.
        wait_until_keys_up(last_keys_of(Action::ToggleDisplay));
        // Until each key of the combinations is let go it counts as up, so the
        // switch turns no page.
        for (const KeyChord& chord : action_keys(Action::ToggleDisplay))
            for (int scancode : chord) hold_key_until_released(scancode);
        leadDownPolls = 0;
    }

    // A gamepad's stick, d-pad and buttons count as the keys they stand for.
    const PadState pad = read_gamepad();
    for (int i = 0; i < ACTION_COUNT; ++i) {
        const Action action = Action(i);
        // A page key that begins a display switch (Alt) turns the page when let go.
        const bool keys = action == Action::Page ? action_key_down() || lead_page_key_let_go() : action_down(action);
        update(button(action), keys || pad_down(action, pad));
    }
    update(input.padStart, pad.start);
    update(input.padBack, pad.back);
}

bool pressed(Action action)
{
    return button(action).pressed;
}

bool held(Action action)
{
    return button(action).held;
}

bool let_go(Action action)
{
    return button(action).letGo;
}

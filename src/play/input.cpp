// Polling the keyboard and the gamepad into the one InputState, and the full-screen toggle keys.
#include "play/input.h"

#include <allegro.h>

#include "audio/music.h"
#include "core/frame_stats.h"
#include "core/game_state.h"
#include "platform/x_server.h"
#include "play/gamepad.h"
#include "play/key_map.h"

InputState input;

namespace {

bool down(int scancode)
{
    return key_down(scancode);
}

// The give-up keys after the first, which stand where R stands by default.
bool later_give_up_keys_down()
{
    for (size_t i = 1; i < action_keys(Action::GiveUp).size(); ++i)
        if (action_chord_down(Action::GiveUp, i)) return true;
    return false;
}

void update(Button& button, bool downNow)
{
    button.pressed = downNow && !button.held;
    button.held = downNow;
}

}  // namespace

void reset_input()
{
    input = InputState{};
}

bool action_key_down()
{
    return action_down(Action::Page);
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
            if (down(scancode)) return true;
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
    if (action_down(Action::ToggleDisplay)) {
        game.fullscreen = !game.fullscreen;
        game.fullscreenToggleRequested = true;
        // The key that completes each combination (Enter, F4) must come up.
        wait_until_keys_up(last_keys_of(Action::ToggleDisplay));
    }

    // A gamepad's stick, d-pad and buttons count as the keys they stand for.
    const PadState pad = read_gamepad();
    update(input.keyUp, action_down(Action::Up) || pad.up);
    update(input.keyDown, action_down(Action::Down) || pad.down);
    update(input.keyRight, action_down(Action::Walk) || pad.right);
    update(input.keyAction, action_key_down() || pad.action);
    // The first give-up key is Backspace's button, shared with the pad's Back; the
    // others are R's.
    update(input.keyBackspace, action_chord_down(Action::GiveUp, 0) || pad.back);
    update(input.keyR, later_give_up_keys_down());
}

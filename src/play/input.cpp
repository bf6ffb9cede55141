// Polling the keyboard and the gamepad into the one InputState, and the full-screen toggle keys.
#include "play/input.h"

#include <allegro.h>

#include "audio/music.h"
#include "core/frame_stats.h"
#include "core/game_state.h"
#include "platform/x_server.h"
#include "play/gamepad.h"

InputState input;

namespace {

// Every key that advances a page.
constexpr int ACTION_KEYS[] = {
    KEY_ENTER, KEY_ALT,   KEY_ALTGR,    KEY_SPACE,    KEY_Z,      KEY_X,      KEY_A,
    KEY_S,     KEY_C,     KEY_D,        KEY_LCONTROL, KEY_RCONTROL, KEY_LSHIFT, KEY_RSHIFT,
};

bool down(int scancode)
{
    return key[scancode] != 0;
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
    for (int scancode : ACTION_KEYS)
        if (down(scancode)) return true;
    return false;
}

bool (*keyboardFocused)() = window_has_keyboard;

void wait_until_keys_up(int firstKey, int secondKey)
{
    if (!down(firstKey) && !(secondKey >= 0 && down(secondKey))) return;
    frame_stats_event(FRAME_KEY_WAIT);
    // No frame is drawn while the player holds the key, but the music plays on.
    while (down(firstKey) || (secondKey >= 0 && down(secondKey))) {
        // A quit request ends the wait. So does the window losing the keyboard
        // (where the focus follows the pointer, by the pointer leaving it): the
        // release then goes to another window and never reaches the game, so the
        // keys are taken as released.
        if (game.quitRequested || !keyboardFocused()) {
            key[firstKey] = 0;
            if (secondKey >= 0) key[secondKey] = 0;
            return;
        }
        rest(1);
        poll_music();
    }
}

void poll_input()
{
    // Alt+Enter, AltGr+Enter or F4 switch between window and full screen; the
    // keys must be let go before anything else is read, or the switch repeats.
    if (((down(KEY_ALT) || down(KEY_ALTGR)) && down(KEY_ENTER)) || down(KEY_F4)) {
        game.fullscreen = !game.fullscreen;
        game.fullscreenToggleRequested = true;
        wait_until_keys_up(KEY_ENTER, KEY_F4);
    }

    // A gamepad's stick, d-pad and buttons count as the keys they stand for.
    const PadState pad = read_gamepad();
    update(input.keyUp, down(KEY_UP) || pad.up);
    update(input.keyDown, down(KEY_DOWN) || pad.down);
    update(input.keyRight, down(KEY_RIGHT) || pad.right);
    update(input.keyAction, action_key_down() || pad.action);
    update(input.keyBackspace, down(KEY_BACKSPACE) || pad.back);
    update(input.keyR, down(KEY_R));
}

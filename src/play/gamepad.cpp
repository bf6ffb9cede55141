#include "play/gamepad.h"

#include <allegro.h>

#include "platform/joystick.h"

namespace {

// Linux input codes of the axes and buttons that mean something here.
constexpr int ABS_X_CODE = 0x00, ABS_Y_CODE = 0x01, ABS_HAT0X_CODE = 0x10, ABS_HAT0Y_CODE = 0x11;
constexpr int BTN_TRIGGER_CODE = 0x120, BTN_TOP_CODE = 0x123;  // generic pads: the four face buttons
constexpr int BTN_BASE3_CODE = 0x128, BTN_BASE4_CODE = 0x129;  // generic pads: Select and Start
constexpr int BTN_SOUTH_CODE = 0x130, BTN_WEST_CODE = 0x134;   // A, B, C, X, Y (north and west)
constexpr int BTN_SELECT_CODE = 0x13a, BTN_START_CODE = 0x13b;
constexpr int BTN_TL_CODE = 0x136, BTN_TR_CODE = 0x137;          // the shoulder buttons
constexpr int BTN_TOP2_CODE = 0x124, BTN_PINKIE_CODE = 0x125;    // generic pads: the shoulders
constexpr int BTN_DPAD_UP_CODE = 0x220, BTN_DPAD_DOWN_CODE = 0x221, BTN_DPAD_LEFT_CODE = 0x222, BTN_DPAD_RIGHT_CODE = 0x223;

enum class AxisRole { None, Horizontal, Vertical };
enum class ButtonRole { None, Action, Start, Back, Up, Down, Left, Right, Repeat, Voice };

struct Layout {
    bool known = false;  // learnt from the device; otherwise the plain layout
    std::vector<AxisRole> axes;
    std::vector<ButtonRole> buttons;
} layout;

AxisRole axis_role(int code)
{
    if (code == ABS_X_CODE || code == ABS_HAT0X_CODE) return AxisRole::Horizontal;
    if (code == ABS_Y_CODE || code == ABS_HAT0Y_CODE) return AxisRole::Vertical;
    return AxisRole::None;
}

ButtonRole button_role(int code)
{
    if (code == BTN_START_CODE || code == BTN_BASE4_CODE) return ButtonRole::Start;
    if (code >= BTN_SOUTH_CODE && code <= BTN_WEST_CODE) return ButtonRole::Action;
    if (code >= BTN_TRIGGER_CODE && code <= BTN_TOP_CODE) return ButtonRole::Action;
    if (code == BTN_SELECT_CODE || code == BTN_BASE3_CODE) return ButtonRole::Back;
    if (code == BTN_DPAD_UP_CODE) return ButtonRole::Up;
    if (code == BTN_DPAD_DOWN_CODE) return ButtonRole::Down;
    if (code == BTN_DPAD_LEFT_CODE) return ButtonRole::Left;
    if (code == BTN_DPAD_RIGHT_CODE) return ButtonRole::Right;
    if (code == BTN_TL_CODE || code == BTN_TOP2_CODE) return ButtonRole::Repeat;
    if (code == BTN_TR_CODE || code == BTN_PINKIE_CODE) return ButtonRole::Voice;
    return ButtonRole::None;
}

// Axis `index` counts the axes of all sticks in order, as the driver numbers them.
AxisRole role_of_axis(int index, const JOYSTICK_STICK_INFO& stick, int axisInStick)
{
    if (layout.known) return index < int(layout.axes.size()) ? layout.axes[size_t(index)] : AxisRole::None;
    if (index == 0 || index == 1) return index == 0 ? AxisRole::Horizontal : AxisRole::Vertical;
    if ((stick.flags & JOYFLAG_DIGITAL) && axisInStick < 2)
        return axisInStick == 0 ? AxisRole::Horizontal : AxisRole::Vertical;
    return AxisRole::None;
}

ButtonRole role_of_button(int index)
{
    if (layout.known) return index < int(layout.buttons.size()) ? layout.buttons[size_t(index)] : ButtonRole::None;
    if (index < 4) return ButtonRole::Action;
    if (index == 4) return ButtonRole::Repeat;
    if (index == 5) return ButtonRole::Voice;
    return ButtonRole::None;
}

PadState lastPad;

}  // namespace

void install_gamepad()
{
    if (install_joystick(JOY_TYPE_AUTODETECT) != 0) return;
    std::vector<int> axisCodes, buttonCodes;
    if (num_joysticks > 0 && first_joystick_codes(axisCodes, buttonCodes)) set_gamepad_layout(axisCodes, buttonCodes);
}

void set_gamepad_layout(const std::vector<int>& axisCodes, const std::vector<int>& buttonCodes)
{
    layout = Layout{};
    if (axisCodes.empty() && buttonCodes.empty()) return;
    layout.known = true;
    for (int code : axisCodes) layout.axes.push_back(axis_role(code));
    for (int code : buttonCodes) layout.buttons.push_back(button_role(code));
}

const PadState& last_gamepad_state()
{
    return lastPad;
}

PadState read_gamepad()
{
    PadState pad;
    if (num_joysticks < 1) {
        lastPad = pad;
        return pad;
    }
    poll_joystick();
    const JOYSTICK_INFO& stickInfo = joy[0];
    int index = 0;
    for (int s = 0; s < stickInfo.num_sticks && s < MAX_JOYSTICK_STICKS; ++s) {
        const JOYSTICK_STICK_INFO& stick = stickInfo.stick[s];
        for (int a = 0; a < stick.num_axis && a < MAX_JOYSTICK_AXIS; ++a, ++index) {
            const JOYSTICK_AXIS_INFO& axis = stick.axis[a];
            switch (role_of_axis(index, stick, a)) {
            case AxisRole::Horizontal:
                pad.left |= axis.d1 != 0;
                pad.right |= axis.d2 != 0;
                break;
            case AxisRole::Vertical:
                pad.up |= axis.d1 != 0;
                pad.down |= axis.d2 != 0;
                break;
            case AxisRole::None: break;
            }
        }
    }
    for (int b = 0; b < stickInfo.num_buttons && b < MAX_JOYSTICK_BUTTONS; ++b) {
        if (!stickInfo.button[b].b) continue;
        switch (role_of_button(b)) {
        case ButtonRole::Action: pad.action = true; break;
        case ButtonRole::Start:
            pad.action = true;
            pad.start = true;
            break;
        case ButtonRole::Back: pad.back = true; break;
        case ButtonRole::Up: pad.up = true; break;
        case ButtonRole::Down: pad.down = true; break;
        case ButtonRole::Left: pad.left = true; break;
        case ButtonRole::Right: pad.right = true; break;
        case ButtonRole::Repeat: pad.repeat = true; break;
        case ButtonRole::Voice: pad.voice = true; break;
        case ButtonRole::None: break;
        }
    }
    lastPad = pad;
    return pad;
}

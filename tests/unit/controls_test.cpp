// The keys and a gamepad drive the same controls: every case runs once on the
// keyboard and once on each kind of pad, written straight into Allegro's joy[].
#include <gtest/gtest.h>

#include <allegro.h>

#include <cstring>
#include <string>
#include <vector>

#include "play/input.h"
#include "events/event_screen.h"
#include "play/gamepad.h"
#include "play_fixture.h"

namespace {

enum class Device {
    Keyboard,
    PlainPad,       // no layout from the device: axes 0 and 1, buttons 0 to 3
    PadHat,         // a pad of today reporting its d-pad as a hat
    PadDpadButtons  // the same pad with its d-pad as buttons
};

enum class Control { Up, Down, Right, Action, Back };

// Linux input codes as an Xbox-style pad reports them: left stick, left trigger,
// right stick, right trigger, then the hat; A B X Y, shoulders, Select, Start, Mode, thumbs.
const std::vector<int> PAD_AXES = {0x00, 0x01, 0x02, 0x03, 0x04, 0x05, 0x10, 0x11};
const std::vector<int> PAD_BUTTONS = {0x130, 0x131, 0x133, 0x134, 0x136, 0x137, 0x13a, 0x13b, 0x13c, 0x13d, 0x13e};
const std::vector<int> DPAD_BUTTONS = {0x220, 0x221, 0x222, 0x223};  // up, down, left, right

void clear_pads()
{
    std::memset(joy, 0, sizeof(JOYSTICK_INFO) * MAX_JOYSTICKS);
}

std::string device_name(const testing::TestParamInfo<Device>& info)
{
    switch (info.param) {
    case Device::Keyboard: return "Keyboard";
    case Device::PlainPad: return "PlainPad";
    case Device::PadHat: return "PadHat";
    case Device::PadDpadButtons: return "PadDpadButtons";
    }
    return "?";
}

class Controls : public PlayFixture, public testing::WithParamInterface<Device> {
protected:
    void SetUp() override
    {
        AudioBackend silent = real_audio_backend();
        silent.playSample = [](const SAMPLE*, int, int, int, int) { return 0; };
        silent.stopSample = [](const SAMPLE*) {};
        start_play(silent);
        reset_event_screen_input();
        clear_pads();
        num_joysticks = 0;
        set_gamepad_layout({}, {});
        if (GetParam() == Device::Keyboard) return;
        num_joysticks = 1;
        if (GetParam() == Device::PlainPad) {
            joy[0].num_sticks = 1;
            joy[0].stick[0].num_axis = 2;
            joy[0].num_buttons = 10;
            return;
        }
        std::vector<int> buttons = PAD_BUTTONS;
        if (GetParam() == Device::PadDpadButtons) buttons.insert(buttons.end(), DPAD_BUTTONS.begin(), DPAD_BUTTONS.end());
        set_gamepad_layout(GetParam() == Device::PadHat ? PAD_AXES : std::vector<int>(PAD_AXES.begin(), PAD_AXES.end() - 2),
                           buttons);
        joy[0].num_sticks = GetParam() == Device::PadHat ? 4 : 3;
        for (int s = 0; s < joy[0].num_sticks; ++s) joy[0].stick[s].num_axis = 2;
        joy[0].num_buttons = int(buttons.size());
        // Triggers at rest read as fully one way; they must not steer.
        joy[0].stick[1].axis[0].d1 = 1;
        joy[0].stick[2].axis[1].d1 = 1;
    }
    void TearDown() override
    {
        clear_pads();
        num_joysticks = 0;
        set_gamepad_layout({}, {});
        PlayFixture::TearDown();
    }

    bool has_back() const { return GetParam() != Device::PlainPad; }

    void set(Control control, bool down)
    {
        const int value = down ? 1 : 0;
        switch (GetParam()) {
        case Device::Keyboard: {
            const int keys[] = {KEY_UP, KEY_DOWN, KEY_RIGHT, KEY_SPACE, KEY_BACKSPACE};
            key[keys[int(control)]] = char(value);
            return;
        }
        case Device::PlainPad:
        case Device::PadHat: {
            JOYSTICK_STICK_INFO& stick = joy[0].stick[GetParam() == Device::PadHat ? 3 : 0];
            if (control == Control::Up) stick.axis[1].d1 = value;
            if (control == Control::Down) stick.axis[1].d2 = value;
            if (control == Control::Right) stick.axis[0].d2 = value;
            break;
        }
        case Device::PadDpadButtons:
            if (control == Control::Up) joy[0].button[11].b = value;
            if (control == Control::Down) joy[0].button[12].b = value;
            if (control == Control::Right) joy[0].button[14].b = value;
            break;
        }
        if (control == Control::Action) joy[0].button[GetParam() == Device::PlainPad ? 3 : 0].b = value;
        if (control == Control::Back) joy[0].button[6].b = value;
    }
};

TEST_P(Controls, NothingHeldReadsAsNothing)
{
    poll_input();
    EXPECT_FALSE(input.actions[size_t(Action::Up)].held || input.actions[size_t(Action::Down)].held || input.actions[size_t(Action::Walk)].held || input.actions[size_t(Action::Page)].held ||
                 input.actions[size_t(Action::GiveUp)].held);
}

TEST_P(Controls, RightWalksTwoAndAHalfAndLettingGoStops)
{
    bare_room(40);
    place(40, 10.0);
    set(Control::Right, true);
    for (int i = 0; i < 9; ++i) frame();
    EXPECT_DOUBLE_EQ(game.playerX, 10.0 + 9 * 2.5);
    EXPECT_EQ(game.playerFrame, 2);
    set(Control::Right, false);
    frame();
    EXPECT_DOUBLE_EQ(game.playerX, 10.0 + 9 * 2.5);
    EXPECT_EQ(game.playerFrame, 0);
}

TEST_P(Controls, DownAndUpExitsAfterTenHeldFrames)
{
    for (Control control : {Control::Down, Control::Up}) {
        SCOPED_TRACE(control == Control::Down ? "down" : "up");
        Room& room = bare_room(40);
        (control == Control::Down ? room.hasDownExit : room.hasUpExit) = true;
        (control == Control::Down ? room.downExitColumn : room.upExitColumn) = 2;
        (control == Control::Down ? room.downExitRoom : room.upExitRoom) = 41;
        bare_room(41);
        place(40, 95.0);
        game.fadeState = Idle;
        set(Control::Right, true);
        frame();
        set(control, true);
        const double x = game.playerX;
        for (int i = 1; i <= 9; ++i) frame();
        EXPECT_DOUBLE_EQ(game.playerX, x) << "the exit stops the player, Right held or not";
        EXPECT_EQ(game.playerFrame, control == Control::Down ? 3 : 4);
        EXPECT_FALSE(game.roomChangePending);
        frame();
        EXPECT_TRUE(game.roomChangePending);
        for (int i = 0; i < 9; ++i) frame();
        EXPECT_EQ(game.currentRoom, 41);
        set(control, false);
        set(Control::Right, false);
    }
}

TEST_P(Controls, BackGivesUpTheWalkOnANewPressOnly)
{
    bare_room(40);
    place(40, 150.0);
    if (!has_back()) {
        // Which button is Back on a pad that does not say is not known: none gives up the walk.
        for (int b = 0; b < joy[0].num_buttons; ++b) {
            joy[0].button[b].b = 1;
            { poll_input(); play_input(); }
            joy[0].button[b].b = 0;
            { poll_input(); play_input(); }
        }
        EXPECT_EQ(game.gameMode, Play);
        return;
    }
    set(Control::Back, true);
    poll_input();  // already down before play
    { poll_input(); play_input(); }
    EXPECT_EQ(game.gameMode, Play);
    set(Control::Back, false);
    { poll_input(); play_input(); }
    set(Control::Back, true);
    { poll_input(); play_input(); }
    EXPECT_EQ(game.gameMode, Interlude);
    EXPECT_EQ(game.currentRoom, 0);
    EXPECT_DOUBLE_EQ(game.playerX, 60.0);
}

TEST_P(Controls, ActionTurnsAPageOnANewPressOnly)
{
    RenderContext context;
    set(Control::Action, true);
    poll_input();  // held in play when the trigger fired
    game.gameMode = EventScreen;
    game.eventCode = 17;
    for (int i = 0; i < 5; ++i) { poll_input(); event_screen_input(context); }
    EXPECT_EQ(game.gameMode, EventScreen);
    set(Control::Action, false);
    { poll_input(); event_screen_input(context); }
    set(Control::Action, true);
    { poll_input(); event_screen_input(context); }
    EXPECT_EQ(game.gameMode, Play);
    EXPECT_EQ(game.eventCode, 17);
}

INSTANTIATE_TEST_SUITE_P(KeysAndPads, Controls,
                         testing::Values(Device::Keyboard, Device::PlainPad, Device::PadHat, Device::PadDpadButtons),
                         device_name);

TEST(GamepadTest, OnlyTheLeftStickTheDpadAndTheMappedButtonsCount)
{
    clear_pads();
    num_joysticks = 1;
    set_gamepad_layout(PAD_AXES, PAD_BUTTONS);
    joy[0].num_sticks = 4;
    for (int s = 0; s < 4; ++s) joy[0].stick[s].num_axis = 2;
    joy[0].num_buttons = int(PAD_BUTTONS.size());
    // The right stick pushed every way, both triggers in, the shoulders and the thumbs.
    for (int s = 1; s < 3; ++s)
        for (int a = 0; a < 2; ++a) joy[0].stick[s].axis[a].d1 = joy[0].stick[s].axis[a].d2 = 1;
    for (int b : {4, 5, 8, 9, 10}) joy[0].button[b].b = 1;
    PadState pad = read_gamepad();
    EXPECT_FALSE(pad.up || pad.down || pad.right || pad.action || pad.back);

    for (int b : {0, 1, 2, 3, 7}) {  // A, B, X, Y, Start
        joy[0].button[b].b = 1;
        EXPECT_TRUE(read_gamepad().action) << "button " << b;
        joy[0].button[b].b = 0;
    }
    joy[0].button[6].b = 1;
    EXPECT_TRUE(read_gamepad().back);

    // A generic USB pad: four face buttons, then shoulders, Select (BASE3) and Start (BASE4).
    set_gamepad_layout({0x00, 0x01}, {0x120, 0x121, 0x122, 0x123, 0x124, 0x125, 0x126, 0x127, 0x128, 0x129});
    clear_pads();
    joy[0].num_sticks = 1;
    joy[0].stick[0].num_axis = 2;
    joy[0].num_buttons = 10;
    joy[0].button[8].b = 1;
    pad = read_gamepad();
    EXPECT_TRUE(pad.back);
    EXPECT_FALSE(pad.action);
    joy[0].button[8].b = 0;
    joy[0].button[2].b = 1;
    EXPECT_TRUE(read_gamepad().action);

    // Without a layout, a digital stick beyond the first steers too.
    set_gamepad_layout({}, {});
    clear_pads();
    joy[0].num_sticks = 2;
    joy[0].stick[0].num_axis = joy[0].stick[1].num_axis = 2;
    joy[0].stick[1].flags = JOYFLAG_DIGITAL;
    joy[0].stick[1].axis[0].d2 = 1;
    EXPECT_TRUE(read_gamepad().right);
    joy[0].stick[1].flags = JOYFLAG_ANALOGUE;
    EXPECT_FALSE(read_gamepad().right);

    num_joysticks = 0;  // no pad at all: joy[] is not even looked at
    joy[0].stick[0].axis[0].d2 = 1;
    EXPECT_FALSE(read_gamepad().right);
    clear_pads();
}

}  // namespace

#include "events/settings_page.h"

#include <allegro.h>

#include <algorithm>
#include <vector>

#include "audio/captions.h"
#include "audio/music.h"
#include "core/display_layout.h"
#include "core/game_state.h"
#include "core/settings.h"
#include "events/event_screen.h"
#include "events/narration.h"
#include "events/page_drawing.h"
#include "platform/paths.h"
#include "play/input.h"
#include "play/key_latch.h"
#include "play/walk_assist.h"
#include "render/blend.h"
#include "render/present.h"
#include "text/text.h"

namespace {

bool pageOpen = false;
int chosen = 0;
std::string configWhere;  // the line naming config.ini, made as the page opens

constexpr int VOLUME_STEP = 10;
// The voice's rates to choose from, words a minute; the desktop's counts as 170.
const std::vector<int> RATES = {80, 110, 140, 170, 200, 230, 260, 290, 320, 350, 380, 410, 450};
constexpr int DESKTOP_RATE = 170;
// Holds of Up or Down to take a way, in frames.
const std::vector<int> HOLDS = {10, 20, 30, 45, 60, 90, 120, 180, 300, 600};

constexpr int HEADING_Y = 22;
constexpr int FIRST_LINE_Y = 64;
constexpr int LINE_SPACING = 27;
constexpr int PATH_Y = 425;
constexpr int HINT_Y = 452;

std::string on_off(bool on)
{
    return on ? "on" : "off";
}

// The next value of an ordered list from `value` (or the nearest below it).
int step_in(const std::vector<int>& values, int value, int step)
{
    size_t at = 0;
    while (at + 1 < values.size() && values[at + 1] <= value) ++at;
    const long next = std::clamp(long(at) + step, 0L, long(values.size()) - 1);
    return values[size_t(next)];
}

int step_volume(int volume, int step)
{
    return std::clamp((volume / VOLUME_STEP + step) * VOLUME_STEP, 0, FULL_VOLUME);
}

std::string seconds(int frames)
{
    const int tenths = (frames * 10 + framesPerSecond / 2) / framesPerSecond;
    std::string text = std::to_string(tenths / 10);
    if (tenths % 10) text += "." + std::to_string(tenths % 10);
    return text + (tenths == 10 ? " second" : " seconds");
}

void say_chosen()
{
    narration_announce(settings_line_text(SettingsLine(chosen)));
}

// The display is opened again, in the mode and scale now set, at the end of the frame.
void reopen_display()
{
    game.fullscreen = settings.fullscreen;
    game.fullscreenToggleRequested = true;
}

}  // namespace

bool settings_page_open()
{
    return pageOpen;
}

SettingsLine chosen_settings_line()
{
    return SettingsLine(chosen);
}

void open_settings_page()
{
    pageOpen = true;
    chosen = 0;
    configWhere = "The keys are set in " + config_full_path();
    narration_announce("Settings. " + settings_line_text(SettingsLine(chosen)));
}

void close_settings_page()
{
    pageOpen = false;
    for (Action action : {Action::Quit, Action::Settings})
        for (const KeyChord& chord : action_keys(action))
            for (int scancode : chord) hold_key_until_released(scancode);
    narration_describe_screen();
}

std::string settings_line_text(SettingsLine line)
{
    switch (line) {
    case SettingsLine::MusicVolume: return "Music volume: " + std::to_string(settings.musicVolume);
    case SettingsLine::EffectsVolume: return "Sound volume: " + std::to_string(settings.effectsVolume);
    case SettingsLine::VoiceVolume:
        return "Voice volume: " + (settings.speech.volume < 0 ? "desktop" : std::to_string(settings.speech.volume));
    case SettingsLine::Voice: return "Voice: " + on_off(settings.voice);
    case SettingsLine::VoiceRate:
        return "Voice rate: " + (settings.speech.wordsPerMinute <= 0
                                     ? std::string("desktop")
                                     : std::to_string(settings.speech.wordsPerMinute) + " words a minute");
    case SettingsLine::Captions: return "Captions: " + on_off(settings.captions);
    case SettingsLine::Calm: return "Calm mode: " + on_off(settings.calm);
    case SettingsLine::AutoWalk: return "Auto-walk: " + on_off(settings.autoWalk);
    case SettingsLine::ExitHold: return "Hold to take a way: " + seconds(settings.exitHoldFrames);
    case SettingsLine::Hurry: return "Pages already read pass by: " + on_off(settings.hurry);
    // The display as it is (--window or a refused mode may differ from the choice).
    case SettingsLine::Fullscreen: return "Full-screen: " + on_off(game.fullscreen);
    case SettingsLine::Scale:
        return "Scale: " + (settings.scale.automatic ? std::string("auto") : std::to_string(settings.scale.factor));
    case SettingsLine::Keys: return "Keys: see config.ini";
    }
    return "";
}

void change_setting(SettingsLine line, int step)
{
    switch (line) {
    case SettingsLine::MusicVolume:
        settings.musicVolume = step_volume(settings.musicVolume, step);
        music_volume_changed();
        setting_changed(SettingKey::MusicVolume);
        break;
    case SettingsLine::EffectsVolume:
        settings.effectsVolume = step_volume(settings.effectsVolume, step);
        setting_changed(SettingKey::EffectsVolume);
        break;
    case SettingsLine::VoiceVolume:
        // The desktop's volume counts as full.
        settings.speech.volume = step_volume(settings.speech.volume < 0 ? FULL_VOLUME : settings.speech.volume, step);
        setting_changed(SettingKey::VoiceVolume);
        break;
    case SettingsLine::Voice:
        narration_cancel();
        settings.voice = !settings.voice;
        setting_changed(SettingKey::Voice);
        // "Voice: off" is still said, as V says "Voice off".
        speak(settings_line_text(line));
        return;
    case SettingsLine::VoiceRate: {
        const int rate = settings.speech.wordsPerMinute > 0 ? settings.speech.wordsPerMinute : DESKTOP_RATE;
        settings.speech.wordsPerMinute = step_in(RATES, rate, step);
        setting_changed(SettingKey::VoiceRate);
        break;
    }
    case SettingsLine::Captions:
        toggle_captions();
        setting_changed(SettingKey::Captions);
        break;
    case SettingsLine::Calm:
        settings.calm = !settings.calm;
        setting_changed(SettingKey::Calm);
        break;
    case SettingsLine::AutoWalk:
        settings.autoWalk = !settings.autoWalk;
        if (!settings.autoWalk) stop_auto_walk();
        setting_changed(SettingKey::AutoWalk);
        break;
    case SettingsLine::ExitHold:
        settings.exitHoldFrames = step_in(HOLDS, settings.exitHoldFrames, step);
        setting_changed(SettingKey::ExitHold);
        break;
    case SettingsLine::Hurry:
        settings.hurry = !settings.hurry;
        setting_changed(SettingKey::Hurry);
        break;
    case SettingsLine::Fullscreen:
        settings.fullscreen = !game.fullscreen;
        reopen_display();
        setting_changed(SettingKey::Fullscreen);
        break;
    case SettingsLine::Scale: {
        // 1 to 8, then auto.
        int place = settings.scale.automatic ? MAX_SCALE + 1 : settings.scale.factor;
        place = std::clamp(place + step, 1, MAX_SCALE + 1);
        settings.scale = place > MAX_SCALE ? ScaleSetting{1, true} : ScaleSetting{place, false};
        reopen_display();
        setting_changed(SettingKey::Scale);
        break;
    }
    case SettingsLine::Keys: return;
    }
    say_chosen();
}

void settings_page_input()
{
    if (pressed(Action::Settings) || pressed(Action::Quit) || input.padBack.pressed) {
        close_settings_page();
        return;
    }
    if (pressed(Action::Up) || pressed(Action::Down)) {
        chosen = (chosen + (pressed(Action::Up) ? SETTINGS_LINE_COUNT - 1 : 1)) % SETTINGS_LINE_COUNT;
        say_chosen();
    }
    if (pressed(Action::Left))
        change_setting(SettingsLine(chosen), -1);
    else if (pressed(Action::Walk) || pressed(Action::Page))
        change_setting(SettingsLine(chosen), +1);
}

void compose_settings_page(RenderContext& context)
{
    BITMAP* back = context.backBuffer;
    if (!back) return;
    if (context.lowResBuffer) {
        draw_corner_frame(context);
        enlarge_2x(context.lowResBuffer, back);
    } else {
        clear_to_color(back, makecol(0, 0, 0));
    }
    const int bright = dialogue_grey();
    draw_text_line(context, -1, HEADING_Y, "Settings", bright, bright, bright, false, 0, 0);
    for (int i = 0; i < SETTINGS_LINE_COUNT; ++i) {
        std::string text = settings_line_text(SettingsLine(i));
        const bool isChosen = i == chosen;
        if (isChosen && SettingsLine(i) != SettingsLine::Keys) text = "< " + text + " >";
        const int grey = isChosen ? bright : 150;
        draw_text_line(context, -1, FIRST_LINE_Y + i * LINE_SPACING, text.c_str(), grey, grey, grey, false, 0, 0);
    }
    draw_small_centred(context, configWhere.c_str(), PATH_Y, 150);
    draw_small_centred(context, "Up and Down choose, Left and Right change, F1 or Escape goes back", HINT_Y, 150);
}

void draw_settings_page(RenderContext& context)
{
    compose_settings_page(context);
    if (context.backBuffer) show_frame(context);
}

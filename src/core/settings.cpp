#include "core/settings.h"

Settings settings;

namespace {

constexpr SettingPlace PLACES[SETTING_KEY_COUNT] = {
    {"graphics", "fullscreen"},          {"graphics", "scale"},           {"sound", "music_volume"},
    {"sound", "effects_volume"},         {"accessibility", "voice_volume"}, {"accessibility", "voice"},
    {"accessibility", "voice_rate"},     {"accessibility", "captions"},   {"accessibility", "calm"},
    {"controls", "auto_walk"},           {"controls", "exit_hold_frames"}, {"controls", "hurry_read"},
};

bool changed[SETTING_KEY_COUNT];

std::string flag(bool on)
{
    return on ? "1" : "0";
}

}  // namespace

SettingPlace setting_place(SettingKey key)
{
    return PLACES[int(key)];
}

std::string setting_text(SettingKey key)
{
    switch (key) {
    case SettingKey::Fullscreen: return flag(settings.fullscreen);
    case SettingKey::Scale: return settings.scale.automatic ? "auto" : std::to_string(settings.scale.factor);
    case SettingKey::MusicVolume: return std::to_string(settings.musicVolume);
    case SettingKey::EffectsVolume: return std::to_string(settings.effectsVolume);
    case SettingKey::VoiceVolume:
        return settings.speech.volume < 0 ? "desktop" : std::to_string(settings.speech.volume);
    case SettingKey::Voice: return flag(settings.voice);
    case SettingKey::VoiceRate:
        return settings.speech.wordsPerMinute <= 0 ? "desktop" : std::to_string(settings.speech.wordsPerMinute);
    case SettingKey::Captions: return flag(settings.captions);
    case SettingKey::Calm: return flag(settings.calm);
    case SettingKey::AutoWalk: return flag(settings.autoWalk);
    case SettingKey::ExitHold: return std::to_string(settings.exitHoldFrames);
    case SettingKey::Hurry: return flag(settings.hurry);
    }
    return "";
}

void setting_changed(SettingKey key)
{
    changed[int(key)] = true;
}

std::vector<SettingKey> take_changed_settings()
{
    std::vector<SettingKey> keys;
    for (int i = 0; i < SETTING_KEY_COUNT; ++i) {
        if (changed[i]) keys.push_back(SettingKey(i));
        changed[i] = false;
    }
    return keys;
}

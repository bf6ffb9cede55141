// The player's own settings: one record, read from config.ini and the command
// line at start-up, changed in play by the settings page and the V, K and T keys,
// and read by every module that behaves by them. A change the player makes is
// marked with setting_changed and written back to config.ini at the end of the
// frame; the command line's choices apply to the run only and are never marked.
#pragma once

#include <string>
#include <vector>

// How much the 640x480 frame is enlarged.
struct ScaleSetting {
    int factor = 1;          // 1 .. MAX_SCALE
    bool automatic = false;  // "auto": the largest factor that fits
};

// How the voice should sound, where the player asked for something other than
// what the desktop's speech settings give.
struct VoiceSettings {
    int wordsPerMinute = 0;  // 0: the desktop's rate
    std::string name;        // empty: the desktop's voice
    int volume = -1;         // 0..100; -1: the desktop's volume
};

constexpr int FULL_VOLUME = 100;

struct Settings {
    bool fullscreen = true;           // [graphics] fullscreen: the player's choice of display
    ScaleSetting scale;               // [graphics] scale
    int musicVolume = FULL_VOLUME;    // [sound] music_volume, 0..100 of the music's own level
    int effectsVolume = FULL_VOLUME;  // [sound] effects_volume, 0..100 of the effects' own level
    bool voice = false;               // [accessibility] voice: the game speaks
    VoiceSettings speech;             // [accessibility] voice_rate, voice_name, voice_volume
    bool calm = false;                // [accessibility] calm
    bool captions = false;            // [accessibility] captions
    bool autoWalk = false;            // [controls] auto_walk
    int exitHoldFrames = 10;          // [controls] exit_hold_frames: Up or Down held to take a way
    bool hurry = false;               // [controls] hurry_read: pages already read pass by themselves
};

extern Settings settings;

// The settings a player can change in play, each one key of config.ini.
enum class SettingKey {
    Fullscreen,
    Scale,
    MusicVolume,
    EffectsVolume,
    VoiceVolume,
    Voice,
    VoiceRate,
    Captions,
    Calm,
    AutoWalk,
    ExitHold,
    Hurry,
};
constexpr int SETTING_KEY_COUNT = 12;

// Where a setting stands in config.ini.
struct SettingPlace {
    const char* section;
    const char* key;
};
SettingPlace setting_place(SettingKey key);
// The setting's value now, as config.ini holds it ("1", "70", "auto", "desktop").
std::string setting_text(SettingKey key);

// The player changed the setting: it is to be saved.
void setting_changed(SettingKey key);
// The settings changed since the last call, each once, in the order of SettingKey.
std::vector<SettingKey> take_changed_settings();

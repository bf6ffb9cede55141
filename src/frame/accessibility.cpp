// Glue between the game and its accessibility modes: settings, the screen-reader
// question, the per-frame step and the trace of what is said.
#include "frame/accessibility.h"

#include <allegro.h>

#include <cstdio>
#include <cstring>

#include "audio/captions.h"
#include "audio/speech.h"
#include "audio/voice_settings.h"
#include "events/hurry.h"
#include "events/narration.h"
#include "platform/screen_reader_query.h"
#include "play/input.h"
#include "play/walk_assist.h"
#include "render/calm.h"
#include "render/foot_lines.h"

bool voiceOption = false;
bool calmOption = false;
bool traceSpeech = false;
bool captionsOption = false;

namespace {

bool askedDesktop = false;

// The captions key switches captions on any screen, and says so.
void captions_key_step()
{
    if (!pressed(Action::Captions)) return;
    const char* said = toggle_captions() ? "Captions on" : "Captions off";
    setting_changed(SettingKey::Captions);
    show_notice(said);
    narration_announce(said);
}

// The espeak-ng fallback plays through the mixer, which needs a real driver.
bool sound_ready()
{
    return digi_driver && digi_driver->id != DIGI_NONE && get_mixer_frequency() > 0;
}

void trace_queue()
{
    if (!traceSpeech) return;
    for (const std::string& text : speechQueue) std::printf("say: %s\n", text.c_str());
    if (!speechQueue.empty()) std::fflush(stdout);
}

// What was heard: each line as it begins (after how long a wait), ends or is cut.
void trace_voice_news()
{
    if (!traceSpeech) return;
    static const char* const kinds[] = {"begins after", "ends after", "cut after"};
    const std::vector<VoiceNews> heard = take_voice_news();
    for (const VoiceNews& item : heard)
        std::printf("voice: %s %.2f s: %s\n", kinds[item.kind], item.seconds, item.text.c_str());
    if (!heard.empty()) std::fflush(stdout);
}

// A screen reader on the desktop turns the voice on, once, unless the player
// has switched it meanwhile.
void follow_screen_reader()
{
    if (!askedDesktop) return;
    const ScreenReaderAnswer answer = poll_screen_reader_query();
    if (answer == ScreenReaderAnswer::Asking) return;
    askedDesktop = false;
    if (answer == ScreenReaderAnswer::Running && !settings.voice) narration_switch_voice();
}

// [sound] music_volume and effects_volume: 0 to 100, full when missing; a value
// that is not one is named on stderr and the full level kept.
int read_volume(const char* key)
{
    const char* text = get_config_string("sound", key, nullptr);
    if (!text) return FULL_VOLUME;
    const int volume = parse_voice_volume(text);
    if (volume >= 0) return volume;
    std::fprintf(stderr, "Karvelle: [sound] %s = %s is not a whole number from 0 to 100; 100 kept\n", key, text);
    return FULL_VOLUME;
}

}  // namespace

void read_accessibility_config()
{
    settings.musicVolume = read_volume("music_volume");
    settings.effectsVolume = read_volume("effects_volume");
    const char* voice = get_config_string("accessibility", "voice", nullptr);
    settings.voice = voiceOption || (voice && std::strcmp(voice, "1") == 0);
    settings.calm = calmOption || get_config_int("accessibility", "calm", 0) == 1;
    settings.speech.wordsPerMinute = parse_voice_rate(get_config_string("accessibility", "voice_rate", nullptr));
    const char* name = get_config_string("accessibility", "voice_name", "");
    settings.speech.name = name && std::strcmp(name, "desktop") != 0 ? name : "";
    settings.speech.volume = parse_voice_volume(get_config_string("accessibility", "voice_volume", nullptr));
    // "voice = 0" is the player's own choice; the desktop is not asked.
    const bool declined = voice && std::strcmp(voice, "0") == 0;
    if (!settings.voice && !declined) {
        start_screen_reader_query();
        askedDesktop = true;
    }
    settings.captions = captionsOption || get_config_int("accessibility", "captions", 0) == 1;
    read_controls_config();
    // Pages already read pass quickly only for a player who asks.
    settings.hurry = get_config_int("controls", "hurry_read", 0) == 1;
    read_key_map_config();
}

void accessibility_frame()
{
    narration_frame();
    captions_key_step();
    follow_screen_reader();
    trace_queue();
    if (speechQueue.empty() && !speech_playing() && !settings.voice) {
        speech_service();  // lets a cancel or the last words finish
        return;
    }
    speech_start(sound_ready() ? get_mixer_frequency() : 0);
    speech_service();
    trace_voice_news();
}

void draw_accessibility_overlay(RenderContext& context)
{
    std::vector<std::string> lines = active_captions();
    const std::string& notice = current_notice();
    if (!notice.empty()) lines.push_back(notice);
    if (!lines.empty()) draw_foot_lines(context, lines);
}

void stop_accessibility()
{
    reset_screen_reader_query();  // a question still open is not left running
    speech_shutdown();
}

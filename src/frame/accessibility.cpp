// Glue between the game and its accessibility modes: settings, the per-frame step
// and the sound check that keeps a game without sound from trying to speak.
#include "frame/accessibility.h"

#include <allegro.h>

#include <cstdio>

#include "audio/speech.h"
#include "events/narration.h"
#include "render/calm.h"

bool voiceOption = false;
bool calmOption = false;

namespace {

bool soundReported = false;

// Speech needs a real digital sound driver; without one the voice says nothing.
bool sound_ready()
{
    return digi_driver && digi_driver->id != DIGI_NONE && get_mixer_frequency() > 0;
}

}  // namespace

void read_accessibility_config()
{
    voiceEnabled = voiceOption || get_config_int("accessibility", "voice", 0) == 1;
    calmEnabled = calmOption || get_config_int("accessibility", "calm", 0) == 1;
}

void accessibility_frame()
{
    narration_frame();
    if (speechQueue.empty() && !speech_playing() && !voiceEnabled) {
        speech_service();  // lets a cancel or the last words finish
        return;
    }
    if (!sound_ready()) {
        if (!soundReported) {
            soundReported = true;
            std::fprintf(stderr, "Karvelle: no sound device; the voice stays silent\n");
        }
        speechQueue.clear();
        return;
    }
    speech_start(get_mixer_frequency());
    speech_service();
}

void stop_accessibility()
{
    speech_shutdown();
}

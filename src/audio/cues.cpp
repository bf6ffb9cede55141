#include "audio/cues.h"

#include <allegro.h>

#include <cstdio>
#include <string>

#include "audio/audio_backend.h"
#include "platform/paths.h"

namespace {

constexpr int CUE_VOLUME = 200;
constexpr int CUE_PAN = 128;
constexpr int CUE_FREQUENCY = 1000;

bool loaded = false;
SAMPLE* samples[2] = {};

void load_cues()
{
    loaded = true;
    const char* files[2] = {FOOTSTEP_FILE, HELD_STILL_FILE};
    for (int i = 0; i < 2; ++i) {
        const std::string path = data_path(files[i]);
        samples[i] = load_sample(path.c_str());
        if (!samples[i]) std::fprintf(stderr, "Karvelle: cannot load the sound %s; it stays silent\n", path.c_str());
    }
}

}  // namespace

void play_cue(Cue cue)
{
    if (!loaded) load_cues();
    SAMPLE* sample = samples[cue == Cue::Footstep ? 0 : 1];
    if (sample) audioBackend.playSample(sample, CUE_VOLUME, CUE_PAN, CUE_FREQUENCY, 0);
}

// The real sound libraries behind the audio seam: DUMB's Allegro glue for the
// music stream, Allegro's digital sound for the samples.
#include "audio/audio_backend.h"

#include <aldumb.h>

namespace {

// The game never hands these a null player or sample; the checks keep a stray
// call from reaching the libraries all the same.
AL_DUH_PLAYER* real_start_duh(DUH* duh, int channels, long position, float volume, long bufferSize, int frequency)
{
    if (!duh) return nullptr;
    return al_start_duh(duh, channels, position, volume, bufferSize, frequency);
}

void real_stop_duh(AL_DUH_PLAYER* player)
{
    if (player) al_stop_duh(player);
}

void real_pause_duh(AL_DUH_PLAYER* player)
{
    if (player) al_pause_duh(player);
}

void real_resume_duh(AL_DUH_PLAYER* player)
{
    if (player) al_resume_duh(player);
}

void real_set_duh_volume(AL_DUH_PLAYER* player, float volume)
{
    if (player) al_duh_set_volume(player, volume);
}

int real_poll_duh(AL_DUH_PLAYER* player)
{
    return player ? al_poll_duh(player) : -1;
}

int real_play_sample(const SAMPLE* sample, int volume, int pan, int frequency, int loop)
{
    return sample ? play_sample(sample, volume, pan, frequency, loop) : -1;
}

void real_stop_sample(const SAMPLE* sample)
{
    if (sample) stop_sample(sample);
}

bool real_voice_playing(int voice, const SAMPLE* sample)
{
    // A voice that play_sample gave is freed when its sample ends, and may then
    // be handed to another sample.
    return voice >= 0 && sample && voice_check(voice) == sample;
}

void real_hold_sample(const SAMPLE* sample, bool hold)
{
    if (!sample) return;
    // The voices play_sample handed out; a stopped voice keeps its place in the
    // sample and its claim on the voice until voice_start moves it on.
    for (int voice = 0; voice < 256; ++voice) {
        if (voice_check(voice) != sample) continue;
        if (hold)
            voice_stop(voice);
        else
            voice_start(voice);
    }
}

// Constant-initialised, so it is already in place when the sound effects are
// loaded during static construction.
constexpr AudioBackend realBackend = {
    real_start_duh, real_stop_duh,   real_pause_duh,   real_resume_duh,
    real_set_duh_volume, real_poll_duh, real_play_sample, real_stop_sample,
    real_voice_playing, real_hold_sample,
};

}  // namespace

AudioBackend audioBackend = realBackend;

AudioBackend real_audio_backend()
{
    return realBackend;
}

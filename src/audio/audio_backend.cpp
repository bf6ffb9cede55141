// The real sound libraries behind the audio seam: the music worker and its
// Allegro stream for the music, Allegro's digital sound for the samples.
#include "audio/audio_backend.h"

#include <allegro.h>

#include "audio/music_stream.h"

#include <vector>

namespace {

// The seam's player is opaque to the game; the real one is a MusicStream, which
// renders on a worker thread of its own (see music_stream.h).
MusicStream* stream_of(AL_DUH_PLAYER* player)
{
    return reinterpret_cast<MusicStream*>(player);
}

AL_DUH_PLAYER* real_start_duh(DUH* duh, int channels, long position, float volume, long bufferSize, int frequency)
{
    return reinterpret_cast<AL_DUH_PLAYER*>(music_stream_start(duh, channels, position, volume, bufferSize, frequency));
}

// The game never hands these a null player or sample; the checks keep a stray
// call from reaching the libraries all the same.
void real_stop_duh(AL_DUH_PLAYER* player)
{
    music_stream_stop(stream_of(player));
}

void real_pause_duh(AL_DUH_PLAYER* player)
{
    music_stream_pause(stream_of(player));
}

void real_resume_duh(AL_DUH_PLAYER* player)
{
    music_stream_resume(stream_of(player));
}

void real_set_duh_volume(AL_DUH_PLAYER* player, float volume)
{
    music_stream_set_volume(stream_of(player), volume);
}

int real_poll_duh(AL_DUH_PLAYER* player)
{
    return player ? music_stream_poll(stream_of(player)) : -1;
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

// Where each held voice stood in its sample. A stopped voice of play_sample's is
// freed at once and its place lost, so a held sound is played afresh from there.
struct HeldVoice {
    const SAMPLE* sample;
    int position;
};
std::vector<HeldVoice> heldVoices;
// Allegro hands out voices numbered below this.
constexpr int ALLEGRO_VOICES = 256;

void real_hold_sample(const SAMPLE* sample, bool hold)
{
    if (!sample) return;
    if (hold) {
        for (int voice = 0; voice < ALLEGRO_VOICES; ++voice) {
            if (voice_check(voice) != sample) continue;
            const int position = voice_get_position(voice);
            deallocate_voice(voice);
            if (position >= 0) heldVoices.push_back({sample, position});
        }
        return;
    }
    for (size_t i = 0; i < heldVoices.size();) {
        if (heldVoices[i].sample != sample) {
            ++i;
            continue;
        }
        // As play_sample starts a voice (full volume, centre, the sample's own
        // pitch, once), but from where it was held.
        const int voice = allocate_voice(sample);
        if (voice >= 0) {
            voice_set_volume(voice, 255);
            voice_set_pan(voice, 128);
            voice_set_frequency(voice, sample->freq);
            voice_set_playmode(voice, PLAYMODE_PLAY);
            voice_set_position(voice, heldVoices[i].position);
            voice_start(voice);
            release_voice(voice);
        }
        heldVoices.erase(heldVoices.begin() + long(i));
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

#include "audio/music_stream.h"

#include <allegro.h>

#include <algorithm>
#include <atomic>
#include <cmath>
#include <thread>
#include <vector>

#include "audio/music_render.h"

// Buffers ahead: the worker keeps this many of Allegro's buffers ready.
constexpr long BUFFERS_AHEAD = 4;

struct MusicStream {
    MusicRenderer* renderer = nullptr;
    // Read by the window thread's pause and resume too.
    std::atomic<AUDIOSTREAM*> audio{nullptr};
    long bufferFrames = 0;
    int channels = 2;
    int frequency = 48000;
    std::atomic<float> volume{1.0f};
    std::atomic<bool> paused{false};
    int ended = 0;  // 0 while it plays
    std::vector<int16_t> scratch;
};

MusicStream* music_stream_start(DUH* duh, int channels, long position, float volume, long bufferFrames,
                                int frequency)
{
    if (!duh || channels < 1 || channels > 2 || bufferFrames < 1 || frequency < 1) return nullptr;
    MusicStream* stream = new MusicStream;
    stream->bufferFrames = bufferFrames;
    stream->channels = channels;
    stream->frequency = frequency;
    stream->volume = volume;
    stream->scratch.resize(size_t(bufferFrames) * channels);
    stream->renderer = new MusicRenderer(duh, channels, position, frequency, BUFFERS_AHEAD * bufferFrames);
    return stream;
}

void convert_music_samples(const int16_t* in, long got, uint16_t* out, long frames, int channels, float volume)
{
    // Allegro's samples are unsigned; what the worker has not made yet is silence.
    const long values = std::min(got, frames) * channels, total = frames * channels;
    for (long i = 0; i < values; ++i) {
        long v = std::lround(in[i] * volume);
        out[i] = uint16_t(std::clamp(v, -32768L, 32767L) + 32768);
    }
    for (long i = values; i < total; ++i) out[i] = 0x8000;
}

namespace {

void silence(MusicStream* stream, int reason)
{
    AUDIOSTREAM* audio = stream->audio.exchange(nullptr);
    if (audio) stop_audio_stream(audio);
    if (stream->renderer) {
        // The worker is stopped on a thread of its own, so the frame never waits
        // for a buffer to end or to be cut short.
        MusicRenderer* renderer = stream->renderer;
        stream->renderer = nullptr;
        std::thread([renderer] { delete renderer; }).detach();
    }
    if (!stream->ended) stream->ended = reason;
}

}  // namespace

void music_stream_stop(MusicStream* stream)
{
    if (stream) silence(stream, MUSIC_STREAM_ENDED);
}

void music_stream_pause(MusicStream* stream)
{
    if (!stream) return;
    stream->paused = true;
    AUDIOSTREAM* audio = stream->audio;
    if (audio) voice_stop(audio->voice);
}

void music_stream_resume(MusicStream* stream)
{
    if (!stream) return;
    stream->paused = false;
    AUDIOSTREAM* audio = stream->audio;
    if (audio) voice_start(audio->voice);
}

void music_stream_set_volume(MusicStream* stream, float volume)
{
    if (stream) stream->volume = volume;
}

int music_stream_poll(MusicStream* stream)
{
    if (!stream) return MUSIC_STREAM_ENDED;
    if (stream->ended) return stream->ended;
    MusicRenderer& renderer = *stream->renderer;
    switch (renderer.state()) {
    case RenderEnd::Playing: break;
    case RenderEnd::TooSlow: silence(stream, MUSIC_STREAM_TOO_SLOW); return stream->ended;
    case RenderEnd::Fault: silence(stream, MUSIC_STREAM_FAULT); return stream->ended;
    case RenderEnd::Ended:
        // What was rendered before the end still plays.
        if (renderer.ready() == 0) {
            silence(stream, MUSIC_STREAM_ENDED);
            return stream->ended;
        }
        break;
    }
    if (!stream->audio) {
        // Allegro's stream starts once a buffer is ready, so the start is not a gap.
        if (renderer.ready() < std::min(stream->bufferFrames, BUFFERS_AHEAD * stream->bufferFrames)) return 0;
        AUDIOSTREAM* audio =
            play_audio_stream(int(stream->bufferFrames), 16, stream->channels == 2, stream->frequency, 255, 128);
        if (!audio) {
            // No sound to play it on: the worker has nothing to do.
            silence(stream, MUSIC_STREAM_ENDED);
            return stream->ended;
        }
        if (stream->paused) voice_stop(audio->voice);
        stream->audio = audio;
    }
    AUDIOSTREAM* audio = stream->audio;
    void* buffer = get_audio_stream_buffer(audio);
    if (!buffer) return 0;
    long got = renderer.take(stream->scratch.data(), stream->bufferFrames);
    convert_music_samples(stream->scratch.data(), got, static_cast<uint16_t*>(buffer), stream->bufferFrames,
                          stream->channels, stream->volume);
    free_audio_stream_buffer(audio);
    return 0;
}

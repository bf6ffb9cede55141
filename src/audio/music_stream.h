// The music as Allegro hears it: an Allegro audio stream that the frame thread
// fills from a MusicRenderer's ring. Every Allegro call stays on the thread that
// calls these (the frame thread; pause and resume also come from Allegro's
// window thread, as they always have).
#pragma once

#include <cstdint>

struct DUH;
struct MusicStream;

// What music_stream_poll returns besides 0 (playing).
constexpr int MUSIC_STREAM_ENDED = 1;
constexpr int MUSIC_STREAM_TOO_SLOW = 2;
constexpr int MUSIC_STREAM_FAULT = 3;

MusicStream* music_stream_start(DUH* duh, int channels, long position, float volume, long bufferFrames,
                                int frequency);
// Stops the sound and the worker. The record itself is kept, as the window
// thread may still hold it for a pause.
void music_stream_stop(MusicStream* stream);
void music_stream_pause(MusicStream* stream);
void music_stream_resume(MusicStream* stream);
void music_stream_set_volume(MusicStream* stream, float volume);
// Hands Allegro what the worker has ready; 0 while it plays, else one of the
// codes above (the stream is silent from then on).
int music_stream_poll(MusicStream* stream);
// One of Allegro's buffers from what the worker made: `got` frames of signed
// samples at `volume`, clamped and made unsigned, then silence up to `frames`.
void convert_music_samples(const int16_t* in, long got, uint16_t* out, long frames, int channels, float volume);

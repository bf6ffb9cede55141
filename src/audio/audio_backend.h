// The thin seam between the game and the sound libraries. The game calls DUMB and
// Allegro's sample functions only through these pointers, so tests can record
// which module was started, paused, resumed and stopped, at which volume, and
// which sample was played or stopped, without a sound card.
#pragma once

struct DUH;
struct AL_DUH_PLAYER;
struct SAMPLE;

struct AudioBackend {
    AL_DUH_PLAYER* (*startDuh)(DUH* duh, int channels, long position, float volume, long bufferSize, int frequency);
    void (*stopDuh)(AL_DUH_PLAYER* player);
    void (*pauseDuh)(AL_DUH_PLAYER* player);
    void (*resumeDuh)(AL_DUH_PLAYER* player);
    void (*setDuhVolume)(AL_DUH_PLAYER* player, float volume);
    // 0 while the music plays; otherwise why it stopped (MUSIC_STREAM_* in music_stream.h).
    int (*pollDuh)(AL_DUH_PLAYER* player);
    int (*playSample)(const SAMPLE* sample, int volume, int pan, int frequency, int loop);
    void (*stopSample)(const SAMPLE* sample);
    // Whether `voice`, as play_sample returned it, still plays `sample`.
    bool (*voicePlaying)(int voice, const SAMPLE* sample);
    // Stops every voice playing `sample` where it stands (hold), or lets the voices
    // so stopped play on from there.
    void (*holdSample)(const SAMPLE* sample, bool hold);
};

extern AudioBackend audioBackend;
// The real libraries.
AudioBackend real_audio_backend();

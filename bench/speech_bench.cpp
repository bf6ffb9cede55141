// The voice's costs: synthesising one line of page 1 with eSpeak NG (done on the
// worker thread, never in a frame), and what a frame pays on the main thread to
// hand a page's words over and play what is ready while the worker synthesises.
#include <benchmark/benchmark.h>

#include <allegro.h>

#include <cerrno>
#include <cstdlib>

#include "audio/audio_backend.h"
#include "audio/speech.h"
#include "events/narration.h"

namespace {

constexpr const char* PAGE_ONE_LINE = "I worry when you're away...";

void set_up()
{
    if (!system_driver) install_allegro(SYSTEM_NONE, &errno, atexit);
}

void BM_SynthesisePageOneLine(benchmark::State& state)
{
    set_up();
    if (!speech_engine_open()) {
        state.SkipWithError("eSpeak NG did not start");
        return;
    }
    size_t samples = 0;
    for (auto _ : state) {
        auto pcm = synthesise_speech(PAGE_ONE_LINE, 44100);
        samples = pcm.size();
        benchmark::DoNotOptimize(pcm.data());
    }
    state.counters["seconds_of_speech"] = samples / 44100.0;
}
BENCHMARK(BM_SynthesisePageOneLine)->Unit(benchmark::kMillisecond);

// Every iteration is one frame in which a page opens (a cancel and two new lines)
// while the worker is busy with the last one: the frame never waits for eSpeak.
void BM_SpeechFrameWhilePagesOpen(benchmark::State& state)
{
    set_up();
    AudioBackend silent{};
    silent.playSample = [](const SAMPLE*, int, int, int, int) { return -1; };
    silent.stopSample = [](const SAMPLE*) {};
    silent.voicePlaying = [](int, const SAMPLE*) { return false; };
    audioBackend = silent;
    speech_start(44100);
    for (auto _ : state) {
        narration_cancel();
        speechQueue.push_back(PAGE_ONE_LINE);
        speechQueue.push_back(PAGE_ON_LINE);
        speech_service();
    }
    speech_shutdown();
    audioBackend = real_audio_backend();
}
BENCHMARK(BM_SpeechFrameWhilePagesOpen)->Unit(benchmark::kMicrosecond);

}  // namespace

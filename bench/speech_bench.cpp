// The voice's costs: the espeak-ng program saying one line of page 1 (run on the
// worker thread, never in a frame), and what a frame pays on the main thread to
// hand a page's words over and play what is ready while the worker is busy.
#include <benchmark/benchmark.h>

#include <allegro.h>

#include <cerrno>
#include <cstdlib>

#include "audio/audio_backend.h"
#include "audio/espeak_program.h"
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
    size_t samples = 0;
    int rate = 0;
    for (auto _ : state) {
        std::vector<int16_t> pcm;
        if (espeak_synthesise(PAGE_ONE_LINE, VoiceSettings{}, [] { return false; }, rate, pcm) !=
            EspeakOutcome::Spoken) {
            state.SkipWithError("espeak-ng did not speak");
            return;
        }
        samples = pcm.size();
        benchmark::DoNotOptimize(pcm.data());
    }
    state.counters["seconds_of_speech"] = rate > 0 ? double(samples) / rate : 0.0;
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
    speechDispatcherAllowed = false;
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

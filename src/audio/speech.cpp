// Speaking through eSpeak NG. Words go to a worker thread, which synthesises each
// utterance into a buffer at the mixer's rate; the main thread turns finished
// buffers into Allegro samples and plays them in order. A cancel (a page turned,
// a room left) raises the queue's generation: synthesis in progress is abandoned,
// finished buffers are dropped and the playing sample is stopped.
#include "audio/speech.h"

#include <allegro.h>
#include <espeak-ng/speak_lib.h>

#include <atomic>
#include <condition_variable>
#include <cstdio>
#include <deque>
#include <mutex>
#include <thread>

#include "audio/audio_backend.h"
#include "audio/music.h"
#include "audio/speech_queue.h"

namespace {

struct Job {
    int generation;
    int rate;  // samples a second wanted
    std::string text;
};

struct Spoken {
    int rate;
    std::vector<int16_t> pcm;
};

// --- the engine: eSpeak NG, used by one thread at a time -------------------

std::mutex engineMutex;
bool engineTried = false;
bool engineOpen = false;
int engineRate = 0;
std::vector<int16_t>* synthTarget = nullptr;  // where the callback appends
std::atomic<int> wantedGeneration{0};          // synthesis of any other generation stops
int synthGeneration = 0;

// eSpeak hands over its sound in pieces; a non-zero return abandons the utterance.
int on_synthesised(short* wav, int count, espeak_EVENT*)
{
    if (synthGeneration != wantedGeneration.load()) return 1;
    if (wav && count > 0 && synthTarget) synthTarget->insert(synthTarget->end(), wav, wav + count);
    return 0;
}

bool open_engine_locked()
{
    if (engineTried) return engineOpen;
    engineTried = true;
    // DONT_EXIT: without its data eSpeak would otherwise end the whole program.
    const int rate = espeak_Initialize(AUDIO_OUTPUT_SYNCHRONOUS, 200, nullptr, espeakINITIALIZE_DONT_EXIT);
    if (rate <= 0 || espeak_SetVoiceByName("en") != EE_OK) {
        std::fprintf(stderr, "Karvelle: cannot start the eSpeak NG voice; the game goes on without it\n");
        return false;
    }
    espeak_SetSynthCallback(on_synthesised);
    espeak_SetParameter(espeakRATE, 165, 0);
    // Louder than eSpeak's default, so the words stand well clear of the music
    // beneath them; the loudest peaks only just touch full scale.
    espeak_SetParameter(espeakVOLUME, 170, 0);
    engineRate = rate;
    engineOpen = true;
    return true;
}

std::vector<int16_t> synthesise_locked(const std::string& text, int generation, int outputRate)
{
    std::vector<int16_t> pcm;
    if (!open_engine_locked() || text.empty()) return pcm;
    synthTarget = &pcm;
    synthGeneration = generation;
    espeak_Synth(text.c_str(), text.size() + 1, 0, POS_CHARACTER, 0, espeakCHARS_UTF8, nullptr, nullptr);
    synthTarget = nullptr;
    if (synthGeneration != wantedGeneration.load()) return {};
    return resample(pcm, engineRate, outputRate);
}

// --- the worker ------------------------------------------------------------

std::mutex workMutex;
std::condition_variable workReady;
std::deque<Job> jobs;
std::deque<Spoken> finished;
bool working = false;  // the worker holds a job
bool stopping = false;
std::thread* worker = nullptr;
int outputRate = 44100;  // the mixer's; read and written under workMutex

void work()
{
    std::unique_lock lock(workMutex);
    for (;;) {
        workReady.wait(lock, [] { return stopping || !jobs.empty(); });
        if (stopping) return;
        Job job = std::move(jobs.front());
        jobs.pop_front();
        working = true;
        lock.unlock();
        std::vector<int16_t> pcm;
        {
            std::lock_guard engine(engineMutex);
            pcm = synthesise_locked(job.text, job.generation, job.rate);
        }
        lock.lock();
        working = false;
        if (!pcm.empty() && job.generation == wantedGeneration.load())
            finished.push_back({job.rate, std::move(pcm)});
    }
}

// --- playing, on the main thread ----------------------------------------------

constexpr int SPEECH_VOLUME = 255;
constexpr int SPEECH_PAN = 128;
constexpr int SPEECH_FREQUENCY = 1000;  // the sample's own rate, already the mixer's

int seenGeneration = 0;
SAMPLE* playingSample = nullptr;
int playingVoice = -1;

void stop_playing()
{
    if (!playingSample) return;
    audioBackend.stopSample(playingSample);
    destroy_sample(playingSample);
    playingSample = nullptr;
    playingVoice = -1;
}

// Allegro's 16-bit samples are unsigned.
SAMPLE* make_sample(const Spoken& spoken)
{
    const std::vector<int16_t>& pcm = spoken.pcm;
    SAMPLE* sample = create_sample(16, 0, spoken.rate, int(pcm.size()));
    if (!sample) return nullptr;
    auto* data = static_cast<uint16_t*>(sample->data);
    for (size_t i = 0; i < pcm.size(); ++i) data[i] = uint16_t(pcm[i]) ^ 0x8000u;
    return sample;
}

}  // namespace

std::vector<int16_t> resample(const std::vector<int16_t>& in, int fromRate, int toRate)
{
    if (in.empty() || fromRate <= 0 || toRate <= 0 || fromRate == toRate) return in;
    const size_t outCount = size_t(double(in.size()) * toRate / fromRate);
    std::vector<int16_t> out(outCount);
    const double step = double(fromRate) / toRate;
    for (size_t i = 0; i < outCount; ++i) {
        const double at = i * step;
        const size_t k = size_t(at);
        const double f = at - double(k);
        const int a = in[k];
        const int b = k + 1 < in.size() ? in[k + 1] : a;
        out[i] = int16_t(a + (b - a) * f);
    }
    return out;
}

bool speech_engine_open()
{
    std::lock_guard engine(engineMutex);
    return open_engine_locked();
}

std::vector<int16_t> synthesise_speech(const std::string& text, int rate)
{
    std::lock_guard engine(engineMutex);
    return synthesise_locked(text, wantedGeneration.load(), rate);
}

void speech_start(int rate)
{
    std::lock_guard lock(workMutex);
    if (rate > 0) outputRate = rate;
    if (worker) return;
    stopping = false;
    worker = new std::thread(work);
}

void speech_service()
{
    // With the voice never used there is nothing to do: no thread, no eSpeak.
    if (!worker) {
        if (speechQueue.empty()) return;
        speech_start(0);
    }

    const int generation = speechGeneration;
    // A cancel stops the sample that is playing at once.
    if (generation != seenGeneration) stop_playing();
    // A sample that has played to its end makes way for the next.
    if (playingSample && !(audioBackend.voicePlaying && audioBackend.voicePlaying(playingVoice, playingSample))) {
        destroy_sample(playingSample);
        playingSample = nullptr;
        playingVoice = -1;
    }

    Spoken next{};
    bool haveNext = false;
    bool pending = false;
    {
        std::lock_guard lock(workMutex);
        if (generation != seenGeneration) {
            seenGeneration = generation;
            wantedGeneration = generation;
            jobs.clear();
            finished.clear();
        }
        if (!speechQueue.empty()) {
            for (std::string& text : speechQueue) jobs.push_back({generation, outputRate, std::move(text)});
            speechQueue.clear();
            workReady.notify_one();
        }
        if (!playingSample && !finished.empty()) {
            next = std::move(finished.front());
            finished.pop_front();
            haveNext = true;
        }
        pending = working || !jobs.empty() || !finished.empty();
    }

    if (haveNext) {
        playingSample = make_sample(next);
        if (playingSample)
            playingVoice = audioBackend.playSample(playingSample, SPEECH_VOLUME, SPEECH_PAN, SPEECH_FREQUENCY, 0);
    }
    // The music stays low from the first word waiting to the last one spoken.
    music_set_ducked(playingSample != nullptr || pending);
}

bool speech_playing()
{
    return playingSample != nullptr;
}

void speech_shutdown()
{
    if (worker) {
        {
            std::lock_guard lock(workMutex);
            stopping = true;
            wantedGeneration = -1;  // abandons an utterance in progress
            jobs.clear();
        }
        workReady.notify_one();
        worker->join();
        delete worker;
        worker = nullptr;
        std::lock_guard lock(workMutex);
        finished.clear();
        working = false;
        wantedGeneration = seenGeneration;
    }
    stop_playing();
    music_set_ducked(false);
}

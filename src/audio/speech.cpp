// The worker owns both routes: it opens speech-dispatcher on the first words (the
// service may take a moment to start), and otherwise runs espeak-ng for each
// utterance. A cancel raises the generation: the service is told to stop, an
// espeak-ng run in progress is killed, finished sound is dropped and the sample
// playing is stopped.
#include "audio/speech.h"

#include <allegro.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <condition_variable>
#include <cstdio>
#include <map>
#include <mutex>
#include <new>
#include <thread>

#include "audio/audio_backend.h"
#include "audio/espeak_program.h"
#include "audio/music.h"
#include "audio/speech_queue.h"
#include "audio/speechd_voice.h"
#include "audio/voice_settings.h"
#include "platform/clock.h"

bool speechDispatcherAllowed = true;

namespace {

struct Job {
    int generation;
    std::string text;
    int64_t queuedNs = 0;  // when the frame handed it over
    long seq = 0;          // in the order handed over
    bool ahead = false;    // goes before the words already waiting
    VoiceSettings voice;   // the player's settings when the words were queued
};

bool same_voice(const VoiceSettings& a, const VoiceSettings& b)
{
    return a.wordsPerMinute == b.wordsPerMinute && a.volume == b.volume && a.name == b.name;
}

// Made whole on the worker: the frame only starts it playing.
struct Spoken {
    SAMPLE* sample = nullptr;
    int generation = 0;
    long seq = 0;
    std::string text;
    int64_t queuedNs = 0;
    bool ahead = false;
};

// --- what the voice did, for the trace ---------------------------------------

std::mutex newsMutex;
std::vector<VoiceNews> news;

void tell(VoiceNews::Kind kind, const std::string& text, int64_t sinceNs)
{
    std::lock_guard lock(newsMutex);
    news.push_back({kind, text, double(monotonic_now_ns() - sinceNs) / 1e9});
}

// The messages handed to speech-dispatcher, by id, until they end.
struct Message {
    std::string text;
    int64_t queuedNs;
    int64_t beganNs;
};
std::mutex messagesMutex;
std::map<long, Message> messages;
// A message may begin before its id is known here: when it began.
std::map<long, int64_t> begunEarly;

void on_speechd_news(long id, SpeechdNews what)
{
    std::lock_guard lock(messagesMutex);
    auto found = messages.find(id);
    if (found == messages.end()) {
        if (what == SpeechdNews::Begun) begunEarly[id] = monotonic_now_ns();
        return;
    }
    Message& message = found->second;
    if (what == SpeechdNews::Begun) {
        message.beganNs = monotonic_now_ns();
        tell(VoiceNews::Begins, message.text, message.queuedNs);
        return;
    }
    // A message cancelled before it began was never heard at all: nothing was cut.
    if (message.beganNs) tell(what == SpeechdNews::Ended ? VoiceNews::Ends : VoiceNews::Cut, message.text, message.beganNs);
    messages.erase(found);
}

std::mutex workMutex;
std::condition_variable workReady;
std::deque<Job> jobs;
std::deque<Spoken> finished;
bool working = false;  // the worker holds a job
int workingGeneration = 0;
bool workingAhead = false;  // and that job goes ahead of the words waiting
bool stopping = false;
bool workerDone = false;  // the worker has closed the service and returned
std::condition_variable workerEnded;
bool cancelWanted = false;
std::thread* worker = nullptr;
// How long the game waits at exit for the worker to let go of the service. A
// service that never answers keeps the worker; the game ends without it.
constexpr auto WORKER_END_WAIT = std::chrono::milliseconds(800);
int outputRate = 0;  // the mixer's; 0 without a sound device
std::atomic<int> wantedGeneration{0};
// Jobs numbered below this were dropped before they were heard.
std::atomic<long> droppedBelow{0};
long nextSeq = 1;

bool job_stale(const Job& job)
{
    return job.generation != wantedGeneration.load() || job.seq < droppedBelow.load();
}
std::atomic<SpeechRoute> route{SpeechRoute::Undecided};

// On the worker, with the first words: the service if it answers, else the
// program if there is a mixer to play its sound. One line says why not.
// The worker's own copy of the voice the service was last given.
VoiceSettings serviceVoice;

bool spoken_stale(const Spoken& spoken)
{
    return spoken.generation != wantedGeneration.load() || spoken.seq < droppedBelow.load();
}

void choose_route(const VoiceSettings& voice)
{
    if (speechDispatcherAllowed && speechd_open(voice)) {
        serviceVoice = voice;
        route = SpeechRoute::SpeechDispatcher;
        return;
    }
    int rate = 0;
    {
        std::lock_guard lock(workMutex);
        rate = outputRate;
    }
    if (rate <= 0) {
        std::fprintf(stderr, "Karvelle: no sound device; the voice stays silent\n");
        route = SpeechRoute::Silent;
        return;
    }
    route = SpeechRoute::EspeakProgram;
}

// Allegro's 16-bit samples are unsigned. Creating one touches no voice, so the
// worker may.
SAMPLE* make_sample(const std::vector<int16_t>& pcm, int rate)
{
    SAMPLE* sample = create_sample(16, 0, rate, int(pcm.size()));
    if (!sample) return nullptr;
    auto* data = static_cast<uint16_t*>(sample->data);
    for (size_t i = 0; i < pcm.size(); ++i) data[i] = uint16_t(pcm[i]) ^ 0x8000u;
    return sample;
}

// Finished sound that will not be played. On the main thread: a sample is
// destroyed where the mixer's voices are. All of it, or only what went stale.
void drop_finished(bool staleOnly = false)
{
    for (auto it = finished.begin(); it != finished.end();) {
        if (staleOnly && !spoken_stale(*it)) {
            ++it;
            continue;
        }
        destroy_sample(it->sample);
        it = finished.erase(it);
    }
}

// speech-dispatcher's client has ended: the program says this line and the rest.
void fall_back_to_program()
{
    speechd_close();
    int rate = 0;
    {
        std::lock_guard lock(workMutex);
        rate = outputRate;
    }
    std::fprintf(stderr, "Karvelle: speech-dispatcher's client ended; the voice goes on through the espeak-ng program\n");
    route = rate > 0 ? SpeechRoute::EspeakProgram : SpeechRoute::Silent;
}

void speak_with_program(const Job& job)
{
    int rate = 0;
    std::vector<int16_t> pcm;
    auto stale = [&job] { return job_stale(job); };
    std::string why;
    const EspeakOutcome outcome = espeak_synthesise(job.text, job.voice, stale, rate, pcm, &why);
    if (outcome == EspeakOutcome::Refused) {
        std::fprintf(stderr, "Karvelle: the sound espeak-ng made for a line is refused (%s); the voice goes on\n",
                     why.c_str());
        return;
    }
    if (outcome == EspeakOutcome::Missing) {
        std::fprintf(stderr, "Karvelle: neither speech-dispatcher nor the espeak-ng program can be reached; "
                             "the voice stays silent\n");
        route = SpeechRoute::Silent;
        return;
    }
    if (outcome == EspeakOutcome::Failed) {
        static bool reported = false;
        if (!reported)
            std::fprintf(stderr, "Karvelle: espeak-ng could not say a line (voice \"%s\"); lines it cannot say stay silent\n",
                         job.voice.name.empty() ? "en" : job.voice.name.c_str());
        reported = true;
    }
    if (outcome != EspeakOutcome::Spoken || pcm.empty() || job_stale(job)) return;
    int mixerRate = 0;
    {
        std::lock_guard lock(workMutex);
        mixerRate = outputRate;
    }
    // The sound is bounded in rate and length, so this is too; the whole sample
    // is made here, off the frame.
    SAMPLE* sample = make_sample(lift_speech(resample(pcm, rate, mixerRate)), mixerRate);
    if (!sample) return;
    // Should it go stale meanwhile, the frame destroys it unplayed.
    std::lock_guard lock(workMutex);
    Spoken spoken{sample, job.generation, job.seq, job.text, job.queuedNs, job.ahead};
    // Words sent ahead go after the others sent ahead, before the rest.
    auto at = finished.begin();
    if (job.ahead)
        while (at != finished.end() && at->ahead) ++at;
    else
        at = finished.end();
    finished.insert(at, std::move(spoken));
}

void work()
{
    std::unique_lock lock(workMutex);
    for (;;) {
        workReady.wait(lock, [] { return stopping || cancelWanted || !jobs.empty(); });
        if (stopping) {
            // Every call into the service is made on this thread, the last one too.
            lock.unlock();
            speechd_close();
            lock.lock();
            workerDone = true;
            workerEnded.notify_all();
            return;
        }
        if (cancelWanted) {
            cancelWanted = false;
            lock.unlock();
            speechd_cancel();
            lock.lock();
            continue;
        }
        // speech-dispatcher is given one message at a time, so that words still
        // waiting can be dropped, or passed, without cutting the one being said.
        if (route == SpeechRoute::SpeechDispatcher && speechd_busy()) {
            workReady.wait_for(lock, std::chrono::milliseconds(10));
            continue;
        }
        Job job = std::move(jobs.front());
        jobs.pop_front();
        working = true;
        workingGeneration = job.generation;
        workingAhead = job.ahead;
        lock.unlock();
        if (route == SpeechRoute::Undecided) choose_route(job.voice);
        if (!job_stale(job)) {
            if (route == SpeechRoute::SpeechDispatcher) {
                // A rate or volume changed on the settings page is heard from the next words.
                if (!speechd_lost() && !same_voice(job.voice, serviceVoice)) speechd_set_voice(job.voice);
                serviceVoice = job.voice;
                // The helper's listener tells of the message, so no lock is held while it is handed over.
                const long id = speechd_lost() ? -1 : speechd_say(job.text);
                if (id >= 0) {
                    std::lock_guard news(messagesMutex);
                    Message message{job.text, job.queuedNs, 0};
                    if (auto early = begunEarly.find(id); early != begunEarly.end()) {
                        message.beganNs = early->second;
                        tell(VoiceNews::Begins, job.text, job.queuedNs);
                        begunEarly.erase(early);
                    }
                    messages[id] = message;
                } else if (speechd_lost()) {
                    fall_back_to_program();
                }
            }
            if (route == SpeechRoute::EspeakProgram) {
                try {
                    speak_with_program(job);
                } catch (const std::bad_alloc&) {
                    // The bounds keep this from happening; should memory run out all the same, one line is lost.
                    std::fprintf(stderr, "Karvelle: no memory for the sound of a line; the voice goes on\n");
                }
            }
        }
        lock.lock();
        working = false;
        if (route == SpeechRoute::Silent) jobs.clear();
    }
}

// --- playing the program's sound, on the main thread ---------------------------

constexpr int SPEECH_VOLUME = 255;
constexpr int SPEECH_PAN = 128;
constexpr int SPEECH_FREQUENCY = 1000;  // the sample's own rate, already the mixer's

int seenGeneration = 0;
int seenDropGeneration = 0;
SAMPLE* playingSample = nullptr;
int playingVoice = -1;
bool pendingWords = false;
std::string playingText;
int64_t playingSinceNs = 0;

void stop_playing()
{
    if (!playingSample) return;
    tell(VoiceNews::Cut, playingText, playingSinceNs);
    audioBackend.stopSample(playingSample);
    destroy_sample(playingSample);
    playingSample = nullptr;
    playingVoice = -1;
}

}  // namespace

std::vector<int16_t> lift_speech(const std::vector<int16_t>& pcm)
{
    std::vector<int16_t> out(pcm.size());
    for (size_t i = 0; i < pcm.size(); ++i) {
        const double x = pcm[i] / 32768.0 * SPEECH_GAIN;
        double magnitude = std::fabs(x);
        // Above the knee the curve leaves the straight line with the same slope
        // and approaches the ceiling.
        if (magnitude > SPEECH_KNEE)
            magnitude = SPEECH_KNEE + (SPEECH_CEILING - SPEECH_KNEE) *
                                          std::tanh((magnitude - SPEECH_KNEE) / (SPEECH_CEILING - SPEECH_KNEE));
        out[i] = int16_t(std::lround(std::copysign(magnitude, x) * 32767.0));
    }
    return out;
}

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

std::vector<VoiceNews> take_voice_news()
{
    std::lock_guard lock(newsMutex);
    std::vector<VoiceNews> taken;
    taken.swap(news);
    return taken;
}

SpeechRoute speech_route()
{
    return route.load();
}

void speech_start(int rate)
{
    std::lock_guard lock(workMutex);
    // 0 is no sound device, whatever an earlier start was given.
    outputRate = rate;
    if (worker) return;
    stopping = false;
    workerDone = false;
    speechdNews = on_speechd_news;
    worker = new std::thread(work);
}

void speech_service()
{
    // With the voice never used there is nothing to do: no thread, no service.
    if (!worker) {
        if (speechQueue.empty()) return;
        speech_start(0);
    }

    const int generation = speechGeneration;
    // A cancel stops the sample that is playing at once.
    if (generation != seenGeneration) stop_playing();
    // A sample that has played to its end makes way for the next.
    if (playingSample && !(audioBackend.voicePlaying && audioBackend.voicePlaying(playingVoice, playingSample))) {
        tell(VoiceNews::Ends, playingText, playingSinceNs);
        destroy_sample(playingSample);
        playingSample = nullptr;
        playingVoice = -1;
    }

    Spoken next{};
    bool haveNext = false;
    {
        std::lock_guard lock(workMutex);
        if (generation != seenGeneration) {
            seenGeneration = generation;
            wantedGeneration = generation;
            jobs.clear();
            drop_finished();
            cancelWanted = true;
            workReady.notify_one();
        }
        if (speechDropGeneration != seenDropGeneration) {
            // What waits goes; what is being said (playing, or with the service) is heard out.
            seenDropGeneration = speechDropGeneration;
            droppedBelow = nextSeq;
            jobs.clear();
            drop_finished();
        }
        if (!speechQueue.empty()) {
            const int64_t now = monotonic_now_ns();
            const long batch = nextSeq;
            for (size_t i = 0; i < speechQueue.size(); ++i) {
                const bool ahead = std::find(speechAheadAt.begin(), speechAheadAt.end(), i) != speechAheadAt.end();
                Job job{generation, std::move(speechQueue[i]), now, nextSeq++, ahead, settings.speech};
                // Ahead of the words of earlier frames that are not ahead themselves.
                auto at = jobs.end();
                if (ahead)
                    at = std::find_if(jobs.begin(), jobs.end(), [batch](const Job& j) { return !j.ahead && j.seq < batch; });
                jobs.insert(at, std::move(job));
            }
            speechQueue.clear();
            speechAheadAt.clear();
            workReady.notify_one();
        }
        // Words sent ahead that are still being made are not passed by words made earlier.
        const bool aheadComing = (working && workingAhead && workingGeneration == generation) ||
                                 std::any_of(jobs.begin(), jobs.end(), [](const Job& j) { return j.ahead; });
        drop_finished(true);
        if (!playingSample && !finished.empty() && (finished.front().ahead || !aheadComing)) {
            next = std::move(finished.front());
            finished.pop_front();
            haveNext = true;
        }
        // A job of an older generation is being abandoned: it is not waiting to be heard.
        pendingWords = (working && workingGeneration == generation) || !jobs.empty() || !finished.empty();
    }

    if (haveNext) {
        playingSample = next.sample;
        {
            playingVoice = audioBackend.playSample(playingSample, SPEECH_VOLUME, SPEECH_PAN, SPEECH_FREQUENCY, 0);
            playingText = next.text;
            playingSinceNs = monotonic_now_ns();
            tell(VoiceNews::Begins, next.text, next.queuedNs);
        }
    }
    // The music stays low from the first word waiting to the last one spoken.
    music_set_ducked(speech_playing());
}

bool speech_playing()
{
    if (route == SpeechRoute::Silent) return false;
    return playingSample != nullptr || pendingWords || speechd_busy();
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
        bool ended = false;
        {
            std::unique_lock lock(workMutex);
            ended = workerEnded.wait_for(lock, WORKER_END_WAIT, [] { return workerDone; });
        }
        if (ended)
            worker->join();
        else
            worker->detach();
        delete worker;
        worker = nullptr;
        std::lock_guard lock(workMutex);
        drop_finished();
        working = false;
        cancelWanted = false;
        wantedGeneration = seenGeneration;
    }
    route = SpeechRoute::Undecided;
    pendingWords = false;
    stop_playing();
    music_set_ducked(false);
    // What the ended worker did is no one's news.
    std::lock_guard lock(newsMutex);
    news.clear();
}

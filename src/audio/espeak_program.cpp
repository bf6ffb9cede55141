#include "audio/espeak_program.h"

#include <algorithm>
#include <cstring>

#include "platform/child_process.h"
#include "platform/clock.h"

namespace {

constexpr int NOT_INSTALLED = 127;  // the exit status of a program exec could not find
constexpr int POLL_MS = 10;

uint32_t little_endian(const std::string& bytes, size_t at, int size)
{
    uint32_t value = 0;
    for (int i = size - 1; i >= 0; --i) value = value << 8 | static_cast<unsigned char>(bytes[at + size_t(i)]);
    return value;
}

}  // namespace

std::vector<std::string> espeak_arguments(const VoiceSettings& settings)
{
    const int rate = settings.wordsPerMinute > 0 ? settings.wordsPerMinute : ESPEAK_DEFAULT_RATE;
    // Amplitude 100 is eSpeak's own level, whose loudest vowels stay below full scale.
    const int amplitude = settings.volume >= 0 ? settings.volume : ESPEAK_DEFAULT_AMPLITUDE;
    return {"espeak-ng", "--stdout", "--stdin", "-b", "1", "-s", std::to_string(rate),
            "-a", std::to_string(amplitude), "-v", settings.name.empty() ? "en" : settings.name};
}

bool read_wav(const std::string& bytes, int& rate, std::vector<int16_t>& pcm)
{
    if (bytes.size() < 12 || bytes.compare(0, 4, "RIFF") != 0 || bytes.compare(8, 4, "WAVE") != 0) return false;
    size_t at = 12;
    bool format = false;
    while (at + 8 <= bytes.size()) {
        const std::string id = bytes.substr(at, 4);
        const uint32_t size = little_endian(bytes, at + 4, 4);
        const size_t body = at + 8;
        if (id == "fmt ") {
            if (size < 16 || body + 16 > bytes.size()) return false;
            const uint32_t encoding = little_endian(bytes, body, 2);
            const uint32_t channels = little_endian(bytes, body + 2, 2);
            rate = int(little_endian(bytes, body + 4, 4));
            const uint32_t bits = little_endian(bytes, body + 14, 2);
            if (encoding != 1 || channels != 1 || bits != 16 || rate < ESPEAK_MIN_RATE || rate > ESPEAK_MAX_RATE)
                return false;
            format = true;
        } else if (id == "data") {
            if (!format) return false;
            // A stream written before its length was known says more than follows.
            const size_t available = (bytes.size() - body) / 2;
            const size_t count = std::min<size_t>(available, size / 2);
            if (count > size_t(rate) * ESPEAK_LONGEST_LINE_SECONDS) return false;
            pcm.resize(count);
            if (count) std::memcpy(pcm.data(), bytes.data() + body, count * 2);
            return true;
        }
        at = body + size + (size & 1);
    }
    return false;
}

EspeakOutcome espeak_synthesise(const std::string& text, const VoiceSettings& settings,
                                const std::function<bool()>& stale, int& rate, std::vector<int16_t>& pcm,
                                std::string* why)
{
    pcm.clear();
    auto refuse = [why](const std::string& reason) {
        if (why) *why = reason;
        return EspeakOutcome::Refused;
    };
    ChildProcess child;
    if (!start_child(espeak_arguments(settings), text, child)) return EspeakOutcome::Failed;
    std::string bytes;
    const int64_t deadline = monotonic_now_ns() + int64_t(ESPEAK_MAX_RUN_MS) * 1000000;
    while (read_child(child, bytes, POLL_MS)) {
        if (stale()) {
            stop_child(child);
            return EspeakOutcome::Abandoned;
        }
        if (bytes.size() > ESPEAK_MAX_BYTES) {
            stop_child(child);
            return refuse("more than " + std::to_string(ESPEAK_MAX_BYTES >> 20) + " MB of sound");
        }
        if (monotonic_now_ns() > deadline) {
            stop_child(child);
            return refuse("no end within " + std::to_string(ESPEAK_MAX_RUN_MS / 1000) + " s");
        }
    }
    const int status = finish_child(child, 1000);
    if (stale()) return EspeakOutcome::Abandoned;
    if (status == NOT_INSTALLED && bytes.empty()) return EspeakOutcome::Missing;
    if (bytes.empty()) return EspeakOutcome::Failed;
    if (!read_wav(bytes, rate, pcm))
        return refuse("not mono 16-bit sound at " + std::to_string(ESPEAK_MIN_RATE) + " to " +
                      std::to_string(ESPEAK_MAX_RATE) + " Hz of at most " +
                      std::to_string(ESPEAK_LONGEST_LINE_SECONDS) + " s");
    return EspeakOutcome::Spoken;
}

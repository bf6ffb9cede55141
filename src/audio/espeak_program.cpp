#include "audio/espeak_program.h"

#include <algorithm>
#include <cstring>

#include "platform/child_process.h"

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
            if (encoding != 1 || channels != 1 || bits != 16 || rate <= 0 || rate > 192000) return false;
            format = true;
        } else if (id == "data") {
            if (!format) return false;
            // A stream written before its length was known says more than follows.
            const size_t available = (bytes.size() - body) / 2;
            const size_t count = std::min<size_t>(available, size / 2);
            pcm.resize(count);
            if (count) std::memcpy(pcm.data(), bytes.data() + body, count * 2);
            return true;
        }
        at = body + size + (size & 1);
    }
    return false;
}

EspeakOutcome espeak_synthesise(const std::string& text, const VoiceSettings& settings,
                                const std::function<bool()>& stale, int& rate, std::vector<int16_t>& pcm)
{
    pcm.clear();
    ChildProcess child;
    if (!start_child(espeak_arguments(settings), text, child)) return EspeakOutcome::Failed;
    std::string bytes;
    while (read_child(child, bytes, POLL_MS)) {
        if (stale()) {
            stop_child(child);
            return EspeakOutcome::Abandoned;
        }
    }
    const int status = finish_child(child, 1000);
    if (stale()) return EspeakOutcome::Abandoned;
    if (status == NOT_INSTALLED && bytes.empty()) return EspeakOutcome::Missing;
    if (!read_wav(bytes, rate, pcm)) return EspeakOutcome::Failed;
    return EspeakOutcome::Spoken;
}

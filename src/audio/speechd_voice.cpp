// libspeechd in threaded mode: its own thread reports each message's begin, end
// and cancel, which is all the frame needs to know to lower the music.
#include "audio/speechd_voice.h"

#include <speech-dispatcher/libspeechd.h>

#include <atomic>
#include <chrono>
#include <cctype>
#include <cstdlib>

void (*speechdNews)(long, SpeechdNews) = nullptr;

namespace {

SPDConnection* connection = nullptr;
// Messages are spoken in the order given, so the newest id handed over and the
// newest id finished say whether anything is still to come.
std::atomic<long> lastSaid{0};
std::atomic<long> lastFinished{0};
// When the service last said anything (a message handed over, begun or ended).
// A service that dies mid-sentence sends no end: after this long in silence the
// words are taken as done, so the music does not stay low for ever.
std::atomic<long long> lastNewsMs{0};
constexpr long long SILENT_SERVICE_MS = 20000;

long long now_ms()
{
    using namespace std::chrono;
    return duration_cast<milliseconds>(steady_clock::now().time_since_epoch()).count();
}

void note_finished(size_t id)
{
    long seen = lastFinished.load();
    while (long(id) > seen && !lastFinished.compare_exchange_weak(seen, long(id))) {}
}

void on_event(size_t id, size_t, SPDNotificationType type)
{
    lastNewsMs = now_ms();
    if (type == SPD_EVENT_END || type == SPD_EVENT_CANCEL) note_finished(id);
    if (speechdNews)
        speechdNews(long(id), type == SPD_EVENT_BEGIN ? SpeechdNews::Begun
                              : type == SPD_EVENT_END ? SpeechdNews::Ended
                                                      : SpeechdNews::Cancelled);
}

// "en", "en-GB", "fr": a language; anything else names a synthesis voice.
bool looks_like_language(const std::string& name)
{
    if (name.size() < 2) return false;
    size_t letters = 0;
    while (letters < name.size() && std::isalpha(static_cast<unsigned char>(name[letters]))) ++letters;
    if (letters < 2 || letters > 3) return false;
    return letters == name.size() || name[letters] == '-' || name[letters] == '_';
}

}  // namespace

bool speechd_open(const VoiceSettings& settings)
{
    if (connection) return true;
    char* error = nullptr;
    connection = spd_open2("karvelle", "main", nullptr, SPD_MODE_THREADED, nullptr, 1, &error);
    std::free(error);
    if (!connection) return false;
    connection->callback_begin = on_event;
    connection->callback_end = on_event;
    connection->callback_cancel = on_event;
    spd_set_notification_on(connection, SPD_BEGIN);
    spd_set_notification_on(connection, SPD_END);
    spd_set_notification_on(connection, SPD_CANCEL);
    if (settings.wordsPerMinute > 0) spd_set_voice_rate(connection, speechd_rate_of(settings.wordsPerMinute));
    if (settings.volume >= 0) spd_set_volume(connection, speechd_volume_of(settings.volume));
    if (!settings.name.empty()) {
        if (looks_like_language(settings.name))
            spd_set_language(connection, settings.name.c_str());
        else
            spd_set_synthesis_voice(connection, settings.name.c_str());
    }
    return true;
}

void speechd_set_voice(const VoiceSettings& settings)
{
    if (!connection) return;
    // The desktop's rate is the service's middle one.
    spd_set_voice_rate(connection, settings.wordsPerMinute > 0 ? speechd_rate_of(settings.wordsPerMinute) : 0);
    if (settings.volume >= 0) spd_set_volume(connection, speechd_volume_of(settings.volume));
}

bool speechd_is_open()
{
    return connection != nullptr;
}

long speechd_say(const std::string& text)
{
    if (!connection) return -1;
    const int id = spd_say(connection, SPD_TEXT, text.c_str());
    if (id < 0) return -1;
    lastNewsMs = now_ms();
    long seen = lastSaid.load();
    while (long(id) > seen && !lastSaid.compare_exchange_weak(seen, long(id))) {}
    return id;
}

void speechd_cancel()
{
    if (!connection) return;
    spd_cancel(connection);
    note_finished(size_t(lastSaid.load()));
}

bool speechd_busy()
{
    if (lastFinished.load() >= lastSaid.load()) return false;
    return now_ms() - lastNewsMs.load() < SILENT_SERVICE_MS;
}

void speechd_close()
{
    if (!connection) return;
    spd_cancel(connection);
    spd_close(connection);
    connection = nullptr;
    lastFinished = lastSaid.load();
}

// libspeechd ends the process it runs in on a reply it cannot read, so it runs in
// a helper process of the game's own: the game tells it over a socket what to
// say ("say <length>\n<text>", "voice <rate> <volume>\n", "cancel\n",
// "close\n"), and it answers with the service's id of each message ("said
// <id>\n") and reports each message's begin ("news\n"), end and cancel ("end
// <id>\n"), which is all the frame needs to know to lower the music. A listener thread of the game reads those reports.
#include "audio/speechd_voice.h"

#include <speech-dispatcher/libspeechd.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cctype>
#include <condition_variable>
#include <cstdlib>
#include <cstring>
#include <mutex>
#include <thread>

#include "platform/forked_work.h"

void (*speechdNews)(long, SpeechdNews) = nullptr;

namespace {

// --- in the helper -------------------------------------------------------------

SPDConnection* connection = nullptr;
int gameSocket = -1;
std::mutex tellLock;  // the library's event thread tells the game too

void tell_game(const std::string& line)
{
    std::lock_guard lock(tellLock);
    send_all(gameSocket, line.data(), line.size());
}

void on_service_event(size_t id, size_t, SPDNotificationType type)
{
    const char* what = type == SPD_EVENT_BEGIN ? "begin " : type == SPD_EVENT_END ? "end " : "cancel ";
    tell_game(what + std::to_string(id) + "\n");
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

bool open_service(const VoiceSettings& settings)
{
    char* error = nullptr;
    connection = spd_open2("karvelle", "main", nullptr, SPD_MODE_THREADED, nullptr, 1, &error);
    std::free(error);
    if (!connection) return false;
    connection->callback_begin = on_service_event;
    connection->callback_end = on_service_event;
    connection->callback_cancel = on_service_event;
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

// Until `buffered` holds `count` bytes; false once the game has gone.
bool receive_at_least(int socket, std::string& buffered, size_t count)
{
    char chunk[4096];
    while (buffered.size() < count) {
        const long n = receive_some(socket, chunk, sizeof chunk);
        if (n <= 0) return false;
        buffered.append(chunk, size_t(n));
    }
    return true;
}

int helper_main(int socket, void* data)
{
    gameSocket = socket;
    if (!open_service(*static_cast<const VoiceSettings*>(data))) {
        tell_game("failed\n");
        return 1;
    }
    tell_game("ready\n");
    std::string buffered;
    for (;;) {
        const size_t end = buffered.find('\n');
        if (end == std::string::npos) {
            if (!receive_at_least(socket, buffered, buffered.size() + 1)) break;  // the game has gone
            continue;
        }
        const std::string command = buffered.substr(0, end);
        buffered.erase(0, end + 1);
        if (command.rfind("say ", 0) == 0) {
            const size_t length = std::strtoul(command.c_str() + 4, nullptr, 10);
            if (!receive_at_least(socket, buffered, length)) break;
            const std::string text = buffered.substr(0, length);
            buffered.erase(0, length);
            tell_game("said " + std::to_string(spd_say(connection, SPD_TEXT, text.c_str())) + "\n");
        } else if (command.rfind("voice ", 0) == 0) {
            char* volume = nullptr;
            spd_set_voice_rate(connection, int(std::strtol(command.c_str() + 6, &volume, 10)));
            const long level = std::strtol(volume, nullptr, 10);
            if (level <= 100) spd_set_volume(connection, int(level));
        } else if (command == "cancel") {
            spd_cancel(connection);
        } else {
            break;
        }
    }
    spd_cancel(connection);
    spd_close(connection);
    return 0;
}

// --- in the game ---------------------------------------------------------------

// How long the helper may take to reach the service (which it may have to
// start), to answer a line, and to end when asked.
constexpr auto HELPER_OPEN_WAIT = std::chrono::seconds(10);
constexpr auto HELPER_SAY_WAIT = std::chrono::seconds(5);
constexpr auto HELPER_CLOSE_WAIT = std::chrono::milliseconds(300);
constexpr int HELPER_CPU_SECONDS = 3600;

enum class Opening { Waiting, Ready, Failed };

int helperPid = -1;
int helperSocket = -1;
std::thread* listener = nullptr;
// Never destroyed: a speech worker left waiting on them at exit (a service that
// does not answer) must not hold up the static destructors.
std::mutex& replyLock = *new std::mutex;
std::condition_variable& replied = *new std::condition_variable;
Opening opening = Opening::Waiting;
bool haveReply = false;
long reply = -1;
std::atomic<bool> helperGone{false};  // its socket closed: it ended, or was ended

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

void note_finished(long id)
{
    long seen = lastFinished.load();
    while (id > seen && !lastFinished.compare_exchange_weak(seen, id)) {}
}

// One line from the helper, on the listener's thread.
void hear(const std::string& line)
{
    const auto number_after = [&line](const char* word) {
        const size_t length = std::strlen(word);
        return line.compare(0, length, word) == 0 ? std::strtol(line.c_str() + length, nullptr, 10) : -1L;
    };
    const long begun = number_after("begin "), ended = number_after("end "), cancelled = number_after("cancel ");
    {
        std::lock_guard lock(replyLock);
        if (line == "ready") opening = Opening::Ready;
        if (line == "failed") opening = Opening::Failed;
        if (line.rfind("said ", 0) == 0) {
            reply = std::strtol(line.c_str() + 5, nullptr, 10);
            haveReply = true;
        }
        if (ended >= 0 || cancelled >= 0) note_finished(std::max(ended, cancelled));
        if (begun >= 0 || ended >= 0 || cancelled >= 0) lastNewsMs = now_ms();
        replied.notify_all();
    }
    // Told with no lock held: the news may take locks of the speech worker's own.
    if (!speechdNews) return;
    if (begun >= 0) speechdNews(begun, SpeechdNews::Begun);
    if (ended >= 0) speechdNews(ended, SpeechdNews::Ended);
    if (cancelled >= 0) speechdNews(cancelled, SpeechdNews::Cancelled);
}

void listen(int socket)
{
    std::string buffered;
    char chunk[1024];
    long n;
    while ((n = receive_some(socket, chunk, sizeof chunk)) > 0) {
        buffered.append(chunk, size_t(n));
        for (size_t end; (end = buffered.find('\n')) != std::string::npos; buffered.erase(0, end + 1))
            hear(buffered.substr(0, end));
    }
    std::lock_guard lock(replyLock);
    helperGone = true;
    note_finished(lastSaid.load());
    replied.notify_all();
}

bool tell_helper(const std::string& message)
{
    return helperPid > 0 && !helperGone && send_all(helperSocket, message.data(), message.size());
}

void end_helper()
{
    if (helperPid <= 0) return;
    tell_helper("close\n");
    {
        std::unique_lock lock(replyLock);
        replied.wait_for(lock, HELPER_CLOSE_WAIT, [] { return helperGone.load(); });
    }
    shut_down_socket(helperSocket);
    kill_forked(helperPid);
    listener->join();
    delete listener;
    listener = nullptr;
    close_socket(helperSocket);
    helperSocket = -1;
    helperPid = -1;
}

}  // namespace

bool speechd_open(const VoiceSettings& settings)
{
    if (speechd_is_open()) return true;
    end_helper();
    static VoiceSettings handedOver;
    handedOver = settings;
    opening = Opening::Waiting;
    haveReply = false;
    helperGone = false;
    helperPid = fork_helper(helper_main, &handedOver, HELPER_CPU_SECONDS, helperSocket);
    if (helperPid < 0) return false;
    listener = new std::thread(listen, helperSocket);
    bool ready = false;
    {
        std::unique_lock lock(replyLock);
        replied.wait_for(lock, HELPER_OPEN_WAIT, [] { return opening != Opening::Waiting || helperGone; });
        ready = opening == Opening::Ready && !helperGone;
    }
    if (!ready) end_helper();
    return ready;
}

void speechd_set_voice(const VoiceSettings& settings)
{
    // The desktop's rate is the service's middle one; a volume past 100 leaves the volume alone.
    const int rate = settings.wordsPerMinute > 0 ? speechd_rate_of(settings.wordsPerMinute) : 0;
    const int volume = settings.volume >= 0 ? speechd_volume_of(settings.volume) : 1000;
    tell_helper("voice " + std::to_string(rate) + " " + std::to_string(volume) + "\n");
}

bool speechd_is_open()
{
    return helperPid > 0 && !helperGone;
}

bool speechd_lost()
{
    return helperPid > 0 && helperGone;
}

long speechd_say(const std::string& text)
{
    {
        std::lock_guard lock(replyLock);
        haveReply = false;
    }
    if (!tell_helper("say " + std::to_string(text.size()) + "\n" + text)) return -1;
    long id = -1;
    {
        std::unique_lock lock(replyLock);
        if (!replied.wait_for(lock, HELPER_SAY_WAIT, [] { return haveReply || helperGone; })) {
            // A service that takes the words and never answers: the helper is let go.
            helperGone = true;
            lock.unlock();
            shut_down_socket(helperSocket);
            return -1;
        }
        if (!haveReply) return -1;
        id = reply;
    }
    if (id < 0) return -1;
    lastNewsMs = now_ms();
    long seen = lastSaid.load();
    while (id > seen && !lastSaid.compare_exchange_weak(seen, id)) {}
    return id;
}

void speechd_cancel()
{
    if (!tell_helper("cancel\n")) return;
    note_finished(lastSaid.load());
}

bool speechd_busy()
{
    if (lastFinished.load() >= lastSaid.load()) return false;
    return now_ms() - lastNewsMs.load() < SILENT_SERVICE_MS;
}

void speechd_close()
{
    end_helper();
    lastFinished = lastSaid.load();
}

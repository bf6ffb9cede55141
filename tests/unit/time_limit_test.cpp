// Every unit test has a time limit: a watchdog thread names the test that
// overran it and ends the binary with a failure, so a hang is a named failure
// rather than a suite that never finishes. KARVELLE_TEST_TIME_LIMIT sets the
// limit in seconds (120 by default, some four times the slowest case on a busy
// machine; the sanitizer build and the long fuzz runs give more).
#include <gtest/gtest.h>

#include <sys/wait.h>
#include <unistd.h>

#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstdio>
#include <cstdlib>
#include <mutex>
#include <string>
#include <thread>

namespace {

// What the watchdog watches. Never destroyed: gtest deletes its listeners at
// exit, while the watchdog may still wait on this.
struct Watched {
    std::mutex lock;
    std::condition_variable wake;
    std::string running;
    std::chrono::steady_clock::time_point deadline;
    unsigned long serial = 0;
};

void watch(Watched& w, int limit)
{
    std::unique_lock<std::mutex> hold(w.lock);
    for (;;) {
        if (w.running.empty()) {
            w.wake.wait(hold);
            continue;
        }
        const unsigned long watched = w.serial;
        if (w.wake.wait_until(hold, w.deadline, [&] { return w.serial != watched; })) continue;
        std::fprintf(stderr, "\n[ TIMEOUT  ] %s ran past its time limit of %d s\n", w.running.c_str(), limit);
        std::fflush(stderr);
        _exit(124);  // no destructors: the hung test still holds what it holds
    }
}

class TimeLimit : public ::testing::EmptyTestEventListener {
public:
    explicit TimeLimit(int seconds) : limit(seconds), w(*new Watched)
    {
        std::thread([&watched = w, seconds] { watch(watched, seconds); }).detach();
    }

    void OnTestStart(const ::testing::TestInfo& test) override
    {
        watch_over(std::string(test.test_suite_name()) + "." + test.name());
    }
    void OnTestEnd(const ::testing::TestInfo&) override { watch_over(""); }

private:
    // The test now running (none: ""), its limit counted from now.
    void watch_over(const std::string& name)
    {
        std::lock_guard<std::mutex> hold(w.lock);
        w.running = name;
        w.deadline = std::chrono::steady_clock::now() + std::chrono::seconds(limit);
        ++w.serial;
        w.wake.notify_all();
    }
    const int limit;
    Watched& w;
};

int time_limit_seconds()
{
    const char* text = std::getenv("KARVELLE_TEST_TIME_LIMIT");
    const int seconds = text ? std::atoi(text) : 0;
    return seconds > 0 ? seconds : 120;
}

// Registered before gtest's main runs the tests.
const bool registered = [] {
    ::testing::UnitTest::GetInstance()->listeners().Append(new TimeLimit(time_limit_seconds()));
    return true;
}();

}  // namespace

// Run only by the test below, in a child: it never ends.
TEST(TimeLimitTest, DISABLED_Hangs)
{
    for (;;) pause();
}

TEST(TimeLimitTest, AHangingTestFailsByItsName)
{
    // (Not sharded as this run may be: the child runs its one case whole.)
    const std::string command = std::string("unset GTEST_TOTAL_SHARDS GTEST_SHARD_INDEX; KARVELLE_TEST_TIME_LIMIT=1 '") +
                                program_invocation_name +
                                "' --gtest_also_run_disabled_tests --gtest_filter=TimeLimitTest.DISABLED_Hangs 2>&1";
    const auto start = std::chrono::steady_clock::now();
    FILE* child = popen(command.c_str(), "r");
    ASSERT_NE(child, nullptr);
    std::string output;
    char buffer[256];
    while (size_t got = std::fread(buffer, 1, sizeof buffer, child)) output.append(buffer, got);
    const int status = pclose(child);
    EXPECT_LT(std::chrono::steady_clock::now() - start, std::chrono::seconds(20));
    EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 124) << output;
    EXPECT_NE(output.find("TimeLimitTest.DISABLED_Hangs ran past its time limit of 1 s"), std::string::npos) << output;
}

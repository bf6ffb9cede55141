// Two copies of the game saving different endings at the same moment, over and
// over: the lock around reading, merging and replacing the profile keeps both.
#include <gtest/gtest.h>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/wait.h>
#include <unistd.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "core/game_state.h"
#include "frame/profile.h"
#include "test_support.h"

namespace {

int races()
{
    const char* value = std::getenv("KARVELLE_PROFILE_RACES");
    return value && std::atoi(value) > 0 ? std::atoi(value) : 1000;
}

// A copy of the game that read the profile, found ending `n`, and saves once
// the start pipe closes.
pid_t saver(const std::string& path, int n, const int pipeEnds[2])
{
    pid_t child = fork();
    if (child != 0) return child;
    close(pipeEnds[1]);
    int start = pipeEnds[0];
    read_profile_from(path.c_str());
    game.endingsFound[n] = true;
    char byte;
    while (read(start, &byte, 1) < 0) {
    }
    _exit(write_profile_to(path.c_str()) ? 0 : 1);
}

TEST(ProfileLock, TwoCopiesSavingAtOnceLoseNoEnding)
{
    // tmpfs where there is one: the race is in the game, not in the disk.
    std::string base = std::filesystem::is_directory("/dev/shm") ? "/dev/shm" : "/tmp";
    std::string pattern = base + "/karvelle-lock.XXXXXX";
    ASSERT_NE(mkdtemp(pattern.data()), nullptr);
    std::string path = pattern + "/profile.dat";
    GameState saved = game;
    int lost = 0;
    const int rounds = races();
    for (int round = 0; round < rounds; ++round) {
        std::ofstream(path) << "0\n0\n0\n0\n0\n0\n0\n0\n";
        int a = 1 + round % 8, b = 1 + (round + 1 + round / 8 % 7) % 8;
        int pipeEnds[2];
        ASSERT_EQ(pipe(pipeEnds), 0);
        pid_t first = saver(path, a, pipeEnds);
        pid_t second = saver(path, b, pipeEnds);
        close(pipeEnds[1]);  // both go
        int statusA = 0, statusB = 0;
        waitpid(first, &statusA, 0);
        waitpid(second, &statusB, 0);
        close(pipeEnds[0]);
        ASSERT_TRUE(WIFEXITED(statusA) && WEXITSTATUS(statusA) == 0) << "round " << round;
        ASSERT_TRUE(WIFEXITED(statusB) && WEXITSTATUS(statusB) == 0) << "round " << round;
        const std::string text = file_text(path);
        std::string expected = "0\n0\n0\n0\n0\n0\n0\n0\n";
        expected[2 * (a - 1)] = '1';
        expected[2 * (b - 1)] = '1';
        if (text != expected) ++lost;
    }
    game = saved;
    std::filesystem::remove_all(pattern);
    EXPECT_EQ(lost, 0) << "endings lost in " << lost << " of " << rounds << " rounds";
}

TEST(ProfileLock, APlayingSaveNeverGoesWithoutTheLockAndTriesAgain)
{
    TempDir folder("held");
    const std::string pattern = folder.path, path = pattern + "/profile.dat";
    put_file(path, "0\n0\n0\n0\n0\n0\n0\n0\n");
    GameState saved = game;
    read_profile_from(path.c_str());
    // Another copy holds the folder's lock.
    const int held = open(pattern.c_str(), O_RDONLY | O_DIRECTORY);
    ASSERT_EQ(flock(held, LOCK_EX), 0);
    game.endingsFound[3] = true;
    for (int frame = 0; frame < 3; ++frame) EXPECT_FALSE(save_profile_if_changed_to(path.c_str()));
    EXPECT_EQ(file_text(path), "0\n0\n0\n0\n0\n0\n0\n0\n") << "not written without the lock";
    flock(held, LOCK_UN);
    EXPECT_TRUE(save_profile_if_changed_to(path.c_str())) << "the next frame saves";
    EXPECT_EQ(file_text(path), "0\n0\n1\n0\n0\n0\n0\n0\n");
    // At the final exit the lock is waited for only a moment.
    flock(held, LOCK_EX);
    game.endingsFound[5] = true;
    EXPECT_TRUE(write_profile_to(path.c_str()));
    EXPECT_EQ(file_text(path), "0\n0\n1\n0\n1\n0\n0\n0\n");
    close(held);
    game = saved;
}

}  // namespace

#include "platform/file_lock.h"

#include <fcntl.h>
#include <sys/file.h>
#include <unistd.h>

#include <cerrno>
#include <ctime>

int lock_beside(const std::string& path, int waitMs)
{
    size_t slash = path.find_last_of('/');
    std::string folder = slash == std::string::npos ? "." : path.substr(0, slash == 0 ? 1 : slash);
    int fd = open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd < 0) return -1;
    for (int waited = 0;; waited += 5) {
        if (flock(fd, LOCK_EX | LOCK_NB) == 0) return fd;
        const bool held = errno == EWOULDBLOCK || errno == EINTR;
        if (!held || waited >= waitMs) {
            close(fd);
            return held ? LOCK_BUSY : -1;
        }
        timespec nap{0, 5000000};
        nanosleep(&nap, nullptr);
    }
}

void unlock(int lock)
{
    if (lock < 0) return;
    flock(lock, LOCK_UN);
    close(lock);
}

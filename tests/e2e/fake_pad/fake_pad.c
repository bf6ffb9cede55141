/* A gamepad for the end-to-end tests, loaded into the game with LD_PRELOAD:
 * opening /dev/input/js0 opens the FIFO named by KARVELLE_FAKE_PAD instead, from
 * which the test's js_event records are read as the kernel's would be, and the
 * joystick ioctls on it answer as a pad with two axes (X, Y) and eight buttons
 * (A, B, X, Y, TL, TR, Select, Start) would. Every other joystick device is
 * missing; everything else goes through to the C library. */
#define _GNU_SOURCE
#include <dlfcn.h>
#include <errno.h>
#include <fcntl.h>
#include <linux/input.h>
#include <linux/joystick.h>
#include <stdarg.h>
#include <stdint.h>
#include <stdlib.h>
#include <string.h>
#include <sys/ioctl.h>
#include <sys/stat.h>

#define MAX_FAKE_FDS 8

static int fakeFds[MAX_FAKE_FDS];
static int fakeFdCount;

static const uint8_t AXES[] = {ABS_X, ABS_Y};
static const uint16_t BUTTONS[] = {BTN_SOUTH, BTN_EAST, BTN_NORTH, BTN_WEST, BTN_TL, BTN_TR, BTN_SELECT, BTN_START};

static int is_fake(int fd)
{
    for (int i = 0; i < fakeFdCount; ++i)
        if (fakeFds[i] == fd) return 1;
    return 0;
}

/* 1: the fake pad; -1: another joystick device, which does not exist; 0: any other path. */
static int joystick_path(const char* path)
{
    if (!path) return 0;
    if (strcmp(path, "/dev/input/js0") == 0) return 1;
    if (strncmp(path, "/dev/input/js", 13) == 0 || strncmp(path, "/dev/js", 7) == 0) return -1;
    return 0;
}

static int open_path(const char* name, const char* path, int flags, mode_t mode)
{
    int (*real)(const char*, int, ...) = (int (*)(const char*, int, ...))dlsym(RTLD_NEXT, name);
    int which = joystick_path(path);
    if (which < 0) {
        errno = ENOENT;
        return -1;
    }
    if (which == 0) return real(path, flags, mode);
    const char* fifo = getenv("KARVELLE_FAKE_PAD");
    if (!fifo) {
        errno = ENOENT;
        return -1;
    }
    int fd = real(fifo, O_RDONLY | O_NONBLOCK | (flags & O_CLOEXEC), 0);
    if (fd >= 0 && fakeFdCount < MAX_FAKE_FDS) fakeFds[fakeFdCount++] = fd;
    return fd;
}

#define OPEN_WRAPPER(name)                                   \
    int name(const char* path, int flags, ...)               \
    {                                                        \
        mode_t mode = 0;                                     \
        if (flags & (O_CREAT | O_TMPFILE)) {                 \
            va_list args;                                    \
            va_start(args, flags);                           \
            mode = va_arg(args, mode_t);                     \
            va_end(args);                                    \
        }                                                    \
        return open_path(#name, path, flags, mode);          \
    }
OPEN_WRAPPER(open)
OPEN_WRAPPER(open64)

int __open_2(const char* path, int flags) { return open_path("open", path, flags, 0); }
int __open64_2(const char* path, int flags) { return open_path("open64", path, flags, 0); }

int close(int fd)
{
    int (*real)(int) = (int (*)(int))dlsym(RTLD_NEXT, "close");
    for (int i = 0; i < fakeFdCount; ++i)
        if (fakeFds[i] == fd) fakeFds[i] = fakeFds[--fakeFdCount];
    return real(fd);
}

int ioctl(int fd, unsigned long request, ...)
{
    va_list args;
    va_start(args, request);
    void* arg = va_arg(args, void*);
    va_end(args);
    if (!is_fake(fd)) {
        int (*real)(int, unsigned long, ...) = (int (*)(int, unsigned long, ...))dlsym(RTLD_NEXT, "ioctl");
        return real(fd, request, arg);
    }
    if (_IOC_TYPE(request) != 'j') {
        errno = ENOTTY;
        return -1;
    }
    switch (_IOC_NR(request)) {
    case 0x01: *(uint32_t*)arg = JS_VERSION; return 0;
    case 0x11: *(uint8_t*)arg = sizeof AXES; return 0;
    case 0x12: *(uint8_t*)arg = sizeof BUTTONS / sizeof BUTTONS[0]; return 0;
    case 0x13: {  /* JSIOCGNAME(len) */
        const char name[] = "Karvelle test pad";
        size_t room = _IOC_SIZE(request);
        if (room == 0) return 0;
        strncpy((char*)arg, name, room - 1);
        ((char*)arg)[room - 1] = '\0';
        return (int)strlen((char*)arg);
    }
    case 0x32: memset(arg, 0, ABS_CNT); memcpy(arg, AXES, sizeof AXES); return 0;
    case 0x34: memset(arg, 0, (KEY_MAX - BTN_MISC + 1) * sizeof(uint16_t)); memcpy(arg, BUTTONS, sizeof BUTTONS); return 0;
    default: return 0;  /* corrections and the rest: accepted, nothing to do */
    }
}

#include "platform/joystick.h"

#include <fcntl.h>
#include <linux/joystick.h>
#include <sys/ioctl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

bool first_joystick_codes(std::vector<int>& axisCodes, std::vector<int>& buttonCodes)
{
    // The devices in the order Allegro's joystick driver tries them.
    for (const char* pattern : {"/dev/input/js%d", "/dev/js%d"}) {
        for (int n = 0; n < 4; ++n) {
            char path[32];
            std::snprintf(path, sizeof path, pattern, n);
            int fd = open(path, O_RDONLY | O_NONBLOCK);
            if (fd < 0) continue;
            unsigned char axes = 0, buttons = 0;
            uint8_t axisMap[ABS_CNT] = {};
            uint16_t buttonMap[KEY_MAX - BTN_MISC + 1] = {};
            bool known = ioctl(fd, JSIOCGAXES, &axes) >= 0 && ioctl(fd, JSIOCGBUTTONS, &buttons) >= 0 &&
                         ioctl(fd, JSIOCGAXMAP, axisMap) >= 0 && ioctl(fd, JSIOCGBTNMAP, buttonMap) >= 0;
            close(fd);
            if (!known) return false;
            axisCodes.assign(axisMap, axisMap + std::min<int>(axes, ABS_CNT));
            buttonCodes.assign(buttonMap, buttonMap + std::min<int>(buttons, KEY_MAX - BTN_MISC + 1));
            return true;
        }
    }
    return false;
}

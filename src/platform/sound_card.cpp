#include "platform/sound_card.h"

#include <dlfcn.h>

namespace {

// snd_lib_error_set_handler and the handler it takes, as libasound declares them.
using ErrorHandler = void (*)(const char* file, int line, const char* function, int error, const char* format, ...);
using SetErrorHandler = int (*)(ErrorHandler handler);

void say_nothing(const char*, int, const char*, int, const char*, ...) {}

}  // namespace

void quiet_sound_card_probe(bool quiet)
{
    // Allegro's ALSA driver is a module it loads at start-up, with libasound: the
    // library already in the process is used, and none is loaded for this.
    void* alsa = dlopen("libasound.so.2", RTLD_NOW | RTLD_NOLOAD);
    if (!alsa) return;
    auto set = reinterpret_cast<SetErrorHandler>(dlsym(alsa, "snd_lib_error_set_handler"));
    if (set) set(quiet ? say_nothing : nullptr);
    dlclose(alsa);
}

#include "core/display_options.h"

#include <allegro.h>

#include <cstdio>
#include <cstring>

#include "core/display_layout.h"
#include "core/game_state.h"

DisplayOptions displayOptions;

bool parse_scale(const std::string& text, ScaleSetting& out)
{
    std::string value = text;
    while (!value.empty() && (value.back() == ' ' || value.back() == '\t' || value.back() == '\r')) value.pop_back();
    value.erase(0, value.find_first_not_of(" \t"));
    if (value == "auto") {
        out = ScaleSetting{1, true};
        return true;
    }
    // Digits only, and few of them: "2x", "-1", "1e3" and 20-digit numbers are all refused.
    if (value.empty() || value.size() > 3) return false;
    for (char c : value)
        if (c < '0' || c > '9') return false;
    int factor = std::stoi(value);
    if (factor < 1 || factor > MAX_SCALE) return false;
    out = ScaleSetting{factor, false};
    return true;
}

ScaleSetting read_scale(const std::string& text, const char* source)
{
    ScaleSetting scale;
    if (!parse_scale(text, scale)) {
        std::fprintf(stderr, "Karvelle: %s \"%s\" is not a whole number from 1 to %d or \"auto\"; using 1\n",
                     source, text.c_str(), MAX_SCALE);
        scale = ScaleSetting{};
    }
    return scale;
}

int take_display_option(int argc, char** argv, int i)
{
    const char* option = argv[i];
    if (std::strcmp(option, "--window") == 0) {
        displayOptions.fullscreenOption = 0;
        return 1;
    }
    if (std::strcmp(option, "--fullscreen") == 0) {
        displayOptions.fullscreenOption = 1;
        return 1;
    }
    if (std::strncmp(option, "--scale=", 8) == 0) {
        settings.scale = read_scale(option + 8, "--scale");
        displayOptions.scaleGiven = true;
        return 1;
    }
    if (std::strcmp(option, "--scale") == 0) {
        // The next argument is the value, unless it is another option.
        if (i + 1 >= argc || std::strncmp(argv[i + 1], "--", 2) == 0) {
            std::fprintf(stderr, "karvelle: --scale needs a value: a whole number from 1 to %d or auto\n", MAX_SCALE);
            return -1;
        }
        settings.scale = read_scale(argv[i + 1], "--scale");
        displayOptions.scaleGiven = true;
        return 2;
    }
    return 0;
}

void apply_display_options()
{
    if (!displayOptions.scaleGiven) {
        const char* text = get_config_string("graphics", "scale", nullptr);
        settings.scale = text ? read_scale(text, "config.ini [graphics] scale") : ScaleSetting{};
    }
    if (displayOptions.fullscreenOption >= 0) game.fullscreen = displayOptions.fullscreenOption == 1;
}

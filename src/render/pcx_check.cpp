#include "render/pcx_check.h"

#include <cstdio>
#include <vector>

namespace {

int word_at(const unsigned char* header, int offset)
{
    return header[offset] | (header[offset + 1] << 8);
}

}  // namespace

bool pcx_complete(const char* path)
{
    FILE* file = std::fopen(path, "rb");
    if (!file) return false;
    unsigned char header[128];
    bool complete = std::fread(header, 1, sizeof header, file) == sizeof header && header[0] == 10;
    if (complete) {
        int bitsPerPixel = header[3];
        int height = word_at(header, 10) - word_at(header, 6) + 1;
        int planes = header[65];
        long bytesPerLine = word_at(header, 66);
        long needed = bytesPerLine * planes * (height > 0 ? height : 0);
        // Run-length data: a byte of 0xC0 or more repeats the next byte (its low
        // six bits) times; anything else is one byte of picture.
        long decoded = 0;
        while (decoded < needed) {
            int c = std::fgetc(file);
            if (c == EOF) break;
            if ((c & 0xC0) == 0xC0) {
                if (std::fgetc(file) == EOF) break;
                decoded += c & 0x3F;
            } else {
                ++decoded;
            }
        }
        complete = decoded >= needed;
        // An 8-bit picture ends with its palette: a 12 and 256 colours.
        if (complete && bitsPerPixel == 8 && planes == 1) {
            unsigned char palette[769];
            complete = std::fread(palette, 1, sizeof palette, file) == sizeof palette && palette[0] == 12;
        }
    }
    std::fclose(file);
    return complete;
}

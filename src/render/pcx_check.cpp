#include "render/pcx_check.h"

#include "platform/files.h"

namespace {

constexpr size_t HEADER_BYTES = 128;
constexpr size_t PALETTE_BYTES = 768;
// A run byte and its value give at most 63 bytes of picture.
constexpr size_t LONGEST_RUN = 63;

int word_at(const unsigned char* header, int offset)
{
    return header[offset] | (header[offset + 1] << 8);
}

}  // namespace

bool pcx_sides(const unsigned char* data, size_t size, long& width, long& height, long& decodedBytes)
{
    if (size < HEADER_BYTES || data[0] != 10) return false;
    width = long(word_at(data, 8)) - word_at(data, 4) + 1;
    height = long(word_at(data, 10)) - word_at(data, 6) + 1;
    decodedBytes = long(word_at(data, 66)) * data[65] * (height > 0 ? height : 0);
    return true;
}

std::string pcx_problem(const unsigned char* data, size_t size)
{
    if (size < HEADER_BYTES || data[0] != 10) return "not a PCX file";
    // load_pcx reads 8 bits per plane only, with one plane (a palette) or three.
    int bitsPerPlane = data[3], planes = data[65];
    if (bitsPerPlane != 8 || (planes != 1 && planes != 3)) return "a colour format the reader does not know";
    long width = long(word_at(data, 8)) - word_at(data, 4) + 1;
    long height = long(word_at(data, 10)) - word_at(data, 6) + 1;
    long bytesPerLine = word_at(data, 66);
    if (width < 1 || height < 1 || width > PCX_MAX_SIDE || height > PCX_MAX_SIDE) return "sides out of range";
    // Pixels beyond the bytes of a line would be left unset.
    if (bytesPerLine < width) return "lines shorter than the picture";
    size_t rowBytes = size_t(bytesPerLine) * planes;
    if (rowBytes * size_t(height) > (size - HEADER_BYTES) * LONGEST_RUN) return "more picture than data";

    // Row by row, as load_pcx reads: a byte of 0xC0 or more repeats the next byte
    // (its low six bits) times, and a run never carries over into the next row.
    size_t at = HEADER_BYTES;
    for (long row = 0; row < height; ++row) {
        size_t decoded = 0;
        while (decoded < rowBytes) {
            if (at >= size) return "cut short";
            unsigned char c = data[at++];
            if ((c & 0xC0) == 0xC0) {
                if (at >= size) return "cut short";
                ++at;
                decoded += c & 0x3F;
            } else {
                ++decoded;
            }
        }
    }
    // A picture with one plane takes its colours from the 256-colour palette: the
    // first byte 12 after the picture data, followed by 768 bytes.
    if (planes == 1) {
        while (at < size && data[at] != 12) ++at;
        if (at >= size || size - at - 1 < PALETTE_BYTES) return "no palette";
    }
    return "";
}

bool pcx_complete(const char* path)
{
    std::string data;
    if (read_regular_file(path, PCX_MAX_FILE_BYTES, data) != FileRead::Read) return false;
    return pcx_problem(reinterpret_cast<const unsigned char*>(data.data()), data.size()).empty();
}

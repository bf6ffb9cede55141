// The Impulse Tracker check: the header, the order list, every instrument, sample
// and pattern block against the file, and the values the library divides by,
// allocates from or loops on.
#include "audio/module_check.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <vector>

namespace {

constexpr size_t HEADER_BYTES = 192;
constexpr size_t INSTRUMENT_BYTES = 554;
constexpr size_t SAMPLE_HEADER_BYTES = 80;
constexpr size_t PATTERN_HEADER_BYTES = 8;

constexpr int MAX_ORDERS = 256;
constexpr int MAX_BLOCKS = 256;  // instruments, samples or patterns
constexpr int MIN_TEMPO = 32;    // tempo 0 divides by zero; IT's own lowest is 32
constexpr int MIN_ROWS = 1;
constexpr int MAX_ROWS = 200;
// C5 speeds: 0 and 1 divide by zero when a note starts; a few gigahertz leave the
// mixer stepping forever inside one buffer. IT itself offers 0..9999999.
constexpr uint32_t MIN_C5_SPEED = 256;
constexpr uint32_t MAX_C5_SPEED = 2000000;
// The longest sample accepted, in frames: some six minutes at 44.1 kHz.
constexpr uint32_t MAX_SAMPLE_FRAMES = 16u << 20;

constexpr uint8_t SAMPLE_HAS_DATA = 0x01;
constexpr uint8_t SAMPLE_16_BIT = 0x02;
constexpr uint8_t SAMPLE_STEREO = 0x04;
constexpr uint8_t SAMPLE_COMPRESSED = 0x08;

struct Reader {
    const unsigned char* data;
    size_t size;

    bool fits(size_t offset, size_t length) const { return offset <= size && length <= size - offset; }
    unsigned u8(size_t at) const { return data[at]; }
    unsigned u16(size_t at) const { return data[at] | (data[at + 1] << 8); }
    uint32_t u32(size_t at) const { return uint32_t(u16(at)) | (uint32_t(u16(at + 2)) << 16); }
};

std::string numbered(const char* what, int index, const char* problem)
{
    return std::string(what) + " " + std::to_string(index + 1) + ": " + problem;
}

// An envelope in use: at most 25 nodes, its loops inside them and its ticks rising.
bool envelope_sound(const Reader& r, size_t at)
{
    unsigned flags = r.u8(at), nodes = r.u8(at + 1);
    if (!(flags & 1)) return true;
    if (nodes < 1 || nodes > 25) return false;
    for (int i = 2; i <= 5; ++i)
        if (r.u8(at + i) >= nodes) return false;
    unsigned previous = 0;
    for (unsigned n = 0; n < nodes; ++n) {
        unsigned tick = r.u16(at + 6 + 3 * n + 1);
        if (n > 0 && tick <= previous) return false;
        previous = tick;
    }
    return true;
}

std::string instrument_problem(const Reader& r, size_t at, int sampleCount)
{
    if (!r.fits(at, INSTRUMENT_BYTES)) return "past the end of the file";
    if (std::memcmp(r.data + at, "IMPI", 4) != 0) return "no IMPI mark";
    for (int n = 0; n < 120; ++n) {
        unsigned note = r.u8(at + 0x40 + 2 * n), sample = r.u8(at + 0x41 + 2 * n);
        if (note > 119 || int(sample) > sampleCount) return "a key names a missing sample";
    }
    for (size_t envelope : {size_t(0x130), size_t(0x182), size_t(0x1D4)})
        if (!envelope_sound(r, at + envelope)) return "a broken envelope";
    return "";
}

// Compressed sample data comes in blocks of 0x8000 frames (0x4000 at 16 bits),
// each led by its length in bytes.
// Returns the number of bytes, or 0 when the blocks run past the end of the file.
size_t compressed_data_bytes(const Reader& r, size_t start, uint32_t frames, bool sixteenBit)
{
    uint32_t perBlock = sixteenBit ? 0x4000 : 0x8000;
    size_t at = start;
    for (uint32_t done = 0; done < frames; done += perBlock) {
        if (!r.fits(at, 2)) return 0;
        size_t length = r.u16(at);
        if (length == 0 || !r.fits(at + 2, length)) return 0;
        at += 2 + length;
    }
    return at - start;
}

// A stretch of the file that one block occupies.
struct Block {
    size_t start, bytes;
    std::string name;
};

std::string sample_problem(const Reader& r, size_t at, std::vector<Block>& blocks, const std::string& name)
{
    if (!r.fits(at, SAMPLE_HEADER_BYTES)) return "past the end of the file";
    if (std::memcmp(r.data + at, "IMPS", 4) != 0) return "no IMPS mark";
    unsigned flags = r.u8(at + 0x12);
    if (r.u8(at + 0x4F) > 3) return "an unknown vibrato waveform";
    if (!(flags & SAMPLE_HAS_DATA)) return "";
    uint32_t frames = r.u32(at + 0x30);
    uint32_t c5Speed = r.u32(at + 0x3C);
    uint32_t pointer = r.u32(at + 0x48);
    bool sixteenBit = flags & SAMPLE_16_BIT, stereo = flags & SAMPLE_STEREO;
    if (c5Speed < MIN_C5_SPEED || c5Speed > MAX_C5_SPEED) return "a C5 speed out of range";
    if (frames > MAX_SAMPLE_FRAMES) return "too long";
    size_t bytes;
    if (flags & SAMPLE_COMPRESSED) {
        if (stereo) return "compressed stereo, which the library cannot read";
        bytes = compressed_data_bytes(r, pointer, frames, sixteenBit);
        if (frames > 0 && bytes == 0) return "its data runs past the end of the file";
    } else {
        bytes = size_t(frames) * (sixteenBit ? 2 : 1) * (stereo ? 2 : 1);
        if (!r.fits(pointer, bytes)) return "its data runs past the end of the file";
    }
    blocks.push_back({pointer, bytes, name + " data"});
    return "";
}

// Packed rows: a channel byte (0 ends the row), a new mask when its top bit is
// set, then the fields the mask names. Every row must be there, and no channel
// may appear twice in one row.
std::string pattern_problem(const Reader& r, size_t at)
{
    if (!r.fits(at, PATTERN_HEADER_BYTES)) return "past the end of the file";
    size_t length = r.u16(at);
    unsigned rows = r.u16(at + 2);
    if (rows < MIN_ROWS || rows > MAX_ROWS) return "a row count out of range";
    size_t p = at + PATTERN_HEADER_BYTES, end = p + length;
    if (!r.fits(p, length)) return "its data runs past the end of the file";
    unsigned char masks[64] = {};
    for (unsigned row = 0; row < rows; ++row) {
        uint64_t seen = 0;
        for (;;) {
            if (p >= end) return "fewer rows than it says";
            unsigned cv = r.u8(p++);
            if (cv == 0) break;
            unsigned channel = (cv - 1) & 63;
            if (seen & (uint64_t(1) << channel)) return "two events for one channel in one row";
            seen |= uint64_t(1) << channel;
            if (cv & 0x80) {
                if (p >= end) return "fewer rows than it says";
                masks[channel] = r.u8(p++);
            }
            unsigned mask = masks[channel];
            size_t fields = (mask & 1 ? 1 : 0) + (mask & 2 ? 1 : 0) + (mask & 4 ? 1 : 0) + (mask & 8 ? 2 : 0);
            if (fields > end - p) return "fewer rows than it says";
            if ((mask & 1) && r.u8(p) > 119 && r.u8(p) < 253) return "an unknown note";
            p += fields;
        }
    }
    // The library reads every byte of the packed data, rows beyond the count too.
    if (p != end) return "more rows than it says";
    return "";
}

}  // namespace

std::string module_problem(const unsigned char* data, size_t size)
{
    Reader r{data, size};
    if (size < HEADER_BYTES) return "shorter than a module header";
    if (std::memcmp(data, "IMPM", 4) != 0) return "not an Impulse Tracker module";
    int orders = r.u16(0x20), instruments = r.u16(0x22), samples = r.u16(0x24), patterns = r.u16(0x26);
    unsigned compatible = r.u16(0x2A), flags = r.u16(0x2C), special = r.u16(0x2E);
    if (orders < 1 || orders > MAX_ORDERS) return "an order list of " + std::to_string(orders);
    if (instruments > MAX_BLOCKS || samples > MAX_BLOCKS || patterns > MAX_BLOCKS) return "too many blocks";
    if ((flags & 4) && compatible < 0x200) return "instruments of the old format";
    if (((flags & 0x80) != 0) != ((special & 8) != 0)) return "a half-given MIDI configuration";
    if (r.u8(0x33) < MIN_TEMPO) return "a tempo below " + std::to_string(MIN_TEMPO);

    size_t pointers = HEADER_BYTES + size_t(orders);
    size_t headerEnd = pointers + 4 * size_t(instruments + samples + patterns);
    if (!r.fits(0, headerEnd)) return "its tables run past the end of the file";
    // The edit history and the MIDI configuration follow the tables.
    if (special & 2) {
        if (!r.fits(headerEnd, 2)) return "its edit history runs past the end of the file";
        headerEnd += 2 + 8 * size_t(r.u16(headerEnd));
    }
    if (special & 8) headerEnd += 4896;
    if (!r.fits(0, headerEnd)) return "its header runs past the end of the file";
    std::vector<Block> blocks{{0, headerEnd, "the header"}};
    if (special & 1) {
        if (!r.fits(r.u32(0x38), r.u16(0x36))) return "its message runs past the end of the file";
        blocks.push_back({r.u32(0x38), r.u16(0x36), "the message"});
    }

    // The song must reach a real pattern before it ends or wraps: a list of
    // nothing but skip markers would be searched for ever.
    bool playable = false;
    for (int i = 0; i < orders; ++i) {
        unsigned order = r.u8(HEADER_BYTES + i);
        if (order == 255) break;
        if (order == 254) continue;
        if (int(order) >= patterns) return "an order names a missing pattern";
        playable = true;
    }
    if (!playable) return "no pattern to play";

    for (int i = 0; i < instruments; ++i) {
        uint32_t at = r.u32(pointers + 4 * i);
        std::string problem = instrument_problem(r, at, samples);
        if (!problem.empty()) return numbered("instrument", i, problem.c_str());
        blocks.push_back({at, INSTRUMENT_BYTES, numbered("instrument", i, "header")});
    }
    size_t samplePointers = pointers + 4 * size_t(instruments);
    for (int i = 0; i < samples; ++i) {
        uint32_t at = r.u32(samplePointers + 4 * i);
        std::string name = numbered("sample", i, "header");
        std::string problem = sample_problem(r, at, blocks, name);
        if (!problem.empty()) return numbered("sample", i, problem.c_str());
        blocks.push_back({at, SAMPLE_HEADER_BYTES, name});
    }
    size_t patternPointers = samplePointers + 4 * size_t(samples);
    for (int i = 0; i < patterns; ++i) {
        uint32_t at = r.u32(patternPointers + 4 * i);
        if (at == 0) continue;  // an empty pattern of 64 rows
        std::string problem = pattern_problem(r, at);
        if (!problem.empty()) return numbered("pattern", i, problem.c_str());
        blocks.push_back({at, PATTERN_HEADER_BYTES + r.u16(at), numbered("pattern", i, "data")});
    }

    // The library reads forward through blocks that do not overlap; a block read
    // from inside another would be read from the wrong bytes.
    std::sort(blocks.begin(), blocks.end(), [](const Block& a, const Block& b) { return a.start < b.start; });
    for (size_t i = 1; i < blocks.size(); ++i)
        if (blocks[i].start < blocks[i - 1].start + blocks[i - 1].bytes)
            return blocks[i].name + " overlaps " + blocks[i - 1].name;
    return "";
}

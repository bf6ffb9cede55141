#include "audio/it_writer.h"

#include <algorithm>
#include <cstdio>
#include <cstring>

namespace {

void put8(std::vector<uint8_t>& out, int v) { out.push_back(uint8_t(v)); }

void put16(std::vector<uint8_t>& out, uint32_t v)
{
    out.push_back(uint8_t(v));
    out.push_back(uint8_t(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out.push_back(uint8_t(v >> (8 * i)));
}

void set32(std::vector<uint8_t>& out, size_t at, uint32_t v)
{
    for (int i = 0; i < 4; ++i)
        out[at + i] = uint8_t(v >> (8 * i));
}

// A fixed-size text field, zero-padded, always ending in at least one zero.
void text(std::vector<uint8_t>& out, const std::string& s, size_t size)
{
    for (size_t i = 0; i < size; ++i)
        out.push_back(i + 1 < size && i < s.size() ? uint8_t(s[i]) : 0);
}

void raw(std::vector<uint8_t>& out, const char* magic) { out.insert(out.end(), magic, magic + 4); }

std::vector<uint8_t> pack_pattern(const ItPattern& p)
{
    std::vector<uint8_t> data;
    for (int r = 0; r < p.rows; ++r) {
        if (r < int(p.cells.size())) {
            const auto& row = p.cells[r];
            for (size_t ch = 0; ch < row.size() && ch < 64; ++ch) {
                const ItCell& c = row[ch];
                if (c.empty())
                    continue;
                int mask = (c.note >= 0 ? 1 : 0) | (c.instrument > 0 ? 2 : 0) | (c.volume >= 0 ? 4 : 0) |
                           (c.command > 0 ? 8 : 0);
                put8(data, int(ch + 1) | 0x80);
                put8(data, mask);
                if (c.note >= 0)
                    put8(data, c.note);
                if (c.instrument > 0)
                    put8(data, c.instrument);
                if (c.volume >= 0)
                    put8(data, c.volume);
                if (c.command > 0) {
                    put8(data, c.command);
                    put8(data, c.parameter);
                }
            }
        }
        put8(data, 0);  // end of row
    }
    return data;
}

}  // namespace

std::vector<uint8_t> encode_it(const ItModule& m)
{
    std::vector<uint8_t> out;
    const size_t orderCount = m.orders.size() + 1;
    const size_t sampleCount = m.samples.size();
    const size_t patternCount = m.patterns.size();

    raw(out, "IMPM");
    text(out, m.name, 26);
    put8(out, 4);   // rows per beat
    put8(out, 16);  // rows per bar
    put16(out, uint32_t(orderCount));
    put16(out, 0);  // no instruments: sample mode
    put16(out, uint32_t(sampleCount));
    put16(out, uint32_t(patternCount));
    put16(out, 0x0214);
    put16(out, 0x0214);
    put16(out, 0x0009);  // stereo, linear slides
    put16(out, 0);
    put8(out, m.globalVolume);
    put8(out, m.mixVolume);
    put8(out, m.speed);
    put8(out, m.tempo);
    put8(out, m.separation);
    put8(out, 0);
    put16(out, 0);
    put32(out, 0);
    put32(out, 0);
    for (int ch = 0; ch < 64; ++ch)
        put8(out, ch < int(m.channelPan.size()) ? m.channelPan[ch] : 32 + 128);
    for (int ch = 0; ch < 64; ++ch)
        put8(out, 64);

    for (int o : m.orders)
        put8(out, o);
    put8(out, 255);

    const size_t samplePointers = out.size();
    for (size_t i = 0; i < sampleCount; ++i)
        put32(out, 0);
    const size_t patternPointers = out.size();
    for (size_t i = 0; i < patternCount; ++i)
        put32(out, 0);

    // Sample headers; their data pointers are filled in once the patterns are placed.
    std::vector<size_t> dataPointerAt;
    for (size_t i = 0; i < sampleCount; ++i) {
        const ItSample& s = m.samples[i];
        set32(out, samplePointers + 4 * i, uint32_t(out.size()));
        raw(out, "IMPS");
        text(out, "", 12);
        put8(out, 0);
        put8(out, 64);
        bool loop = s.loop && s.loopEnd <= s.pcm.size() && s.loopBegin < s.loopEnd;
        put8(out, 0x01 | 0x02 | (loop ? 0x10 : 0));
        put8(out, s.volume);
        text(out, s.name, 26);
        put8(out, 0x01);  // signed data
        put8(out, 32);
        put32(out, uint32_t(s.pcm.size()));
        put32(out, loop ? s.loopBegin : 0);
        put32(out, loop ? s.loopEnd : 0);
        put32(out, s.c5Speed);
        put32(out, 0);
        put32(out, 0);
        dataPointerAt.push_back(out.size());
        put32(out, 0);
        put32(out, 0);  // no auto-vibrato
    }

    for (size_t i = 0; i < patternCount; ++i) {
        set32(out, patternPointers + 4 * i, uint32_t(out.size()));
        std::vector<uint8_t> packed = pack_pattern(m.patterns[i]);
        put16(out, uint32_t(packed.size()));
        put16(out, uint32_t(m.patterns[i].rows));
        put32(out, 0);
        out.insert(out.end(), packed.begin(), packed.end());
    }

    for (size_t i = 0; i < sampleCount; ++i) {
        set32(out, dataPointerAt[i], uint32_t(out.size()));
        for (int16_t v : m.samples[i].pcm)
            put16(out, uint16_t(v));
    }
    return out;
}

bool write_it(const std::string& path, const ItModule& module)
{
    std::vector<uint8_t> bytes = encode_it(module);
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f)
        return false;
    bool ok = std::fwrite(bytes.data(), 1, bytes.size(), f) == bytes.size();
    return std::fclose(f) == 0 && ok;
}

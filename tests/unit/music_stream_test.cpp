// What reaches Allegro's music stream: the worker's signed samples at the
// music's volume, made unsigned, clamped, and silence where nothing is ready.
#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "audio/music_stream.h"

TEST(MusicStreamTest, SamplesAreScaledClampedMadeUnsignedAndTheRestIsSilence)
{
    struct Case { float volume; std::vector<int16_t> in; long got; std::vector<uint16_t> out; };
    const Case cases[] = {
        {1.0f, {-32768, 0, 32767, -1}, 2, {0, 32768, 65535, 32767}},
        {0.5f, {1000, -1000, 3, -3}, 2, {33268, 32268, 32770, 32766}},  // halves round away from zero
        {0.0f, {30000, -30000, 5, 7}, 2, {32768, 32768, 32768, 32768}},
        {2.0f, {20000, -20000, 100, 0}, 2, {65535, 0, 32968, 32768}},
        {1.0f, {1, 2, 3, 4}, 1, {32769, 32770, 32768, 32768}},  // one frame ready: the second is silence
        {1.0f, {1, 2, 3, 4}, 0, {32768, 32768, 32768, 32768}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(testing::Message() << "volume " << c.volume << ", " << c.got << " frames ready");
        std::vector<uint16_t> out(6, 1234);  // two values past the buffer stay untouched
        convert_music_samples(c.in.data(), c.got, out.data(), 2, 2, c.volume);
        EXPECT_EQ(std::vector<uint16_t>(out.begin(), out.begin() + 4), c.out);
        EXPECT_EQ(out[4], 1234);
        EXPECT_EQ(out[5], 1234);
    }
    // Mono: one value a frame; more frames said ready than fit are not read.
    std::vector<int16_t> in = {100, 200, 300};
    std::vector<uint16_t> out(3, 1234);
    convert_music_samples(in.data(), 9, out.data(), 2, 1, 1.0f);
    EXPECT_EQ(out, (std::vector<uint16_t>{32868, 32968, 1234}));
}

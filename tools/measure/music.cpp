// Measures a module as the game's DUMB plays it: its level, the loudness of
// each four-bar section (one order) and of the first half against the second,
// the loudest sample at full volume, and the lead's vibrato (rate, depth and
// how late in a held note it starts), read from the lead channel's pitch 441
// times a second; and the stereo width and the share above 1 kHz.  Usage: karvelle_measure_music FILE.it
#include <dumb.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <vector>

namespace {

struct Look {
    double t;
    int sample;
    double hz;
};

double db(double power) { return 10 * std::log10(std::max(power, 1e-20)); }

}  // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FILE.it\n", argv[0]);
        return 2;
    }
    dumb_register_stdfiles();
    DUH* duh = dumb_load_it(argv[1]);
    if (!duh) {
        std::fprintf(stderr, "%s: cannot load\n", argv[1]);
        return 1;
    }
    const int rate = 11025, step = 25;
    const float gameVolume = 0.8f;
    const long total = long(duh_get_length(duh) / 65536.0 * rate);

    // the level and each order's loudness at the game's volume, with the lead's pitch
    DUH_SIGRENDERER* sr = duh_start_sigrenderer(duh, 0, 1, 0);
    DUMB_IT_SIGRENDERER* it = duh_get_it_sigrenderer(sr);
    std::vector<short> buffer(step);
    std::vector<double> sum(256, 0), count(256, 0);
    std::vector<Look> lead;
    for (long done = 0; done < total; done += step) {
        long got = duh_render(sr, 16, 0, gameVolume, 65536.0f / rate, step, buffer.data());
        int order = dumb_it_sr_get_current_order(it);
        for (long i = 0; i < got; ++i)
            sum[size_t(order)] += double(buffer[size_t(i)]) * buffer[size_t(i)] / (32768.0 * 32768.0);
        count[size_t(order)] += double(got);
        DUMB_IT_CHANNEL_STATE state;
        dumb_it_sr_get_channel_state(it, 0, &state);
        lead.push_back({double(done) / rate, state.sample, double(state.freq)});
    }
    duh_end_sigrenderer(sr);
    size_t orders = 0;
    double all = 0, allCount = 0;
    while (orders < sum.size() && count[orders] > 0) {
        all += sum[orders];
        allCount += count[orders];
        ++orders;
    }
    std::printf("level at the game's volume: RMS %.4f (%.1f dBFS)\n", std::sqrt(all / allCount), db(all / allCount));
    std::printf("each four-bar section, dBFS:");
    for (size_t o = 0; o < orders; ++o)
        std::printf(" %.1f", db(sum[o] / count[o]));
    double a = 0, an = 0, b = 0, bn = 0;
    for (size_t o = 0; o < orders; ++o)
        (o < orders / 2 ? a : b) += sum[o], (o < orders / 2 ? an : bn) += count[o];
    std::printf("\nsecond half against the first: %+.1f dB\n", db(b / bn) - db(a / an));

    // the loudest sample in stereo at full volume, as the load test plays it;
    // over one pass, how alike the two sides are and how much of the energy
    // lies above 1 kHz (a second-order high-pass, as small speakers hear it)
    sr = duh_start_sigrenderer(duh, 0, 2, 0);
    std::vector<short> stereo(size_t(rate) * 2);
    int loudest = 0;
    double lr = 0, ll = 0, rr = 0, high = 0, every = 0;
    const double w0 = 2 * M_PI * 1000.0 / rate, alpha = std::sin(w0) / std::sqrt(2.0), a0 = 1 + alpha;
    const double b0 = (1 + std::cos(w0)) / 2 / a0, b1 = -(1 + std::cos(w0)) / a0, a1 = -2 * std::cos(w0) / a0,
                 a2 = (1 - alpha) / a0;
    double x1 = 0, x2 = 0, y1 = 0, y2 = 0;
    long frame = 0;
    for (double t = 0; t < total / double(rate) + 3; t += 1.0) {
        duh_render(sr, 16, 0, 1.0f, 65536.0f / rate, rate, stereo.data());
        for (short s : stereo)
            loudest = std::max(loudest, std::abs(int(s)));
        for (size_t i = 0; i + 1 < stereo.size() && frame < total; i += 2, ++frame) {
            double l = stereo[i] / 32768.0, r = stereo[i + 1] / 32768.0, m = (l + r) / 2;
            lr += l * r, ll += l * l, rr += r * r;
            double y = b0 * m + b1 * x1 + b0 * x2 - a1 * y1 - a2 * y2;
            x2 = x1, x1 = m, y2 = y1, y1 = y;
            high += y * y, every += m * m;
        }
    }
    duh_end_sigrenderer(sr);
    std::printf("loudest sample at full volume: %d of 32767\n", loudest);
    std::printf("left against right: correlation %.3f; above 1 kHz: %.1f %% of the energy\n",
                lr / std::sqrt(std::max(ll * rr, 1e-30)), 100 * high / std::max(every, 1e-30));

    // the lead's held notes: the same sample within a quarter tone of where it began
    int held = 0, singing = 0;
    double rateSum = 0, deepest = 0, onsetSum = 0;
    for (size_t i = 0; i < lead.size();) {
        if (lead[i].sample == 0 || lead[i].hz <= 0) {
            ++i;
            continue;
        }
        size_t j = i;
        while (j + 1 < lead.size() && lead[j + 1].sample == lead[i].sample && lead[j + 1].hz > 0 &&
               std::fabs(std::log2(lead[j + 1].hz / lead[i].hz)) < 1.0 / 24)
            ++j;
        if (lead[j].t - lead[i].t >= 0.9) {
            ++held;
            double depth = 0, onset = -1, first = -1, last = -1;
            int crossings = 0;
            for (size_t k = i; k <= j; ++k) {
                double cents = 1200 * std::log2(lead[k].hz / lead[i].hz);
                depth = std::max(depth, std::fabs(cents));
                if (onset < 0 && std::fabs(cents) > 2)
                    onset = lead[k].t - lead[i].t;
                if (k > i && (1200 * std::log2(lead[k - 1].hz / lead[i].hz) < 0) != (cents < 0)) {
                    ++crossings;
                    last = lead[k].t;
                    if (first < 0)
                        first = last;
                }
            }
            if (depth > 2 && crossings > 2) {
                ++singing;
                rateSum += (crossings - 1) / 2.0 / (last - first);
                deepest = std::max(deepest, depth);
                onsetSum += onset;
            }
        }
        i = j + 1;
    }
    std::printf("lead: %d of %d notes held 0.9 s or more have a vibrato", singing, held);
    if (singing)
        std::printf(": %.1f Hz on average, at most %.0f cents either way, starting %.2f s into the note",
                    rateSum / singing, deepest, onsetSum / singing);
    std::printf("\n");
    unload_duh(duh);
    return 0;
}

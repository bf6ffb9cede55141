#include "art/canvas.h"

#include <algorithm>
#include <cmath>
#include <vector>

static int clamp255(int v) { return std::clamp(v, 0, 255); }

Rgb mix(Rgb a, Rgb b, double t)
{
    return {clamp255(int(std::lround(a.r + (b.r - a.r) * t))),
            clamp255(int(std::lround(a.g + (b.g - a.g) * t))),
            clamp255(int(std::lround(a.b + (b.b - a.b) * t)))};
}

Rgb shade(Rgb c, double factor)
{
    if (factor <= 1.0)
        return {int(c.r * factor), int(c.g * factor), int(c.b * factor)};
    return mix(c, {255, 255, 255}, factor - 1.0);
}

Rgb desaturate(Rgb c, double amount)
{
    int grey = (c.r * 30 + c.g * 59 + c.b * 11) / 100;
    return mix(c, {grey, grey, grey}, amount);
}

double bayer(int x, int y)
{
    static const int m[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (m[y & 3][x & 3] + 0.5) / 16.0;
}

uint32_t Dice::next()
{
    state = state * 1664525u + 1013904223u;
    return state >> 8;
}

int Dice::range(int lo, int hi) { return lo + int(next() % uint32_t(hi - lo + 1)); }

double Dice::unit() { return (next() & 0xFFFF) / 65536.0; }

Canvas::Canvas(BITMAP* target) : bmp(target) {}

static int colour(Rgb c) { return makecol(c.r, c.g, c.b); }

void Canvas::pixel(int x, int y, Rgb c)
{
    if (x >= 0 && y >= 0 && x < bmp->w && y < bmp->h)
        putpixel(bmp, x, y, colour(c));
}

Rgb Canvas::get(int x, int y) const
{
    x = std::clamp(x, 0, bmp->w - 1);
    y = std::clamp(y, 0, bmp->h - 1);
    int p = getpixel(bmp, x, y);
    return {getr(p), getg(p), getb(p)};
}

void Canvas::fill(Rgb c) { clear_to_color(bmp, colour(c)); }
void Canvas::rect(int x0, int y0, int x1, int y1, Rgb c) { rectfill(bmp, x0, y0, x1, y1, colour(c)); }
void Canvas::hline(int x0, int x1, int y, Rgb c) { ::hline(bmp, x0, y, x1, colour(c)); }
void Canvas::vline(int x, int y0, int y1, Rgb c) { ::vline(bmp, x, y0, y1, colour(c)); }
void Canvas::line(int x0, int y0, int x1, int y1, Rgb c) { ::line(bmp, x0, y0, x1, y1, colour(c)); }

void Canvas::triangle(int x0, int y0, int x1, int y1, int x2, int y2, Rgb c)
{
    ::triangle(bmp, x0, y0, x1, y1, x2, y2, colour(c));
}

void Canvas::polygon(std::initializer_list<int> xy, Rgb c)
{
    std::vector<int> points(xy);
    ::polygon(bmp, int(points.size() / 2), points.data(), colour(c));
}

void Canvas::circle(int cx, int cy, int r, Rgb c) { circlefill(bmp, cx, cy, r, colour(c)); }
void Canvas::ellipse(int cx, int cy, int rx, int ry, Rgb c) { ellipsefill(bmp, cx, cy, rx, ry, colour(c)); }

void Canvas::dither_rect(int x0, int y0, int x1, int y1, Rgb a, Rgb b, double level)
{
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            pixel(x, y, bayer(x, y) < level ? b : a);
}

void Canvas::gradient(int y0, int y1, std::initializer_list<Rgb> colours, int x0, int x1)
{
    std::vector<Rgb> stops(colours);
    if (x1 < 0)
        x1 = bmp->w - 1;
    if (stops.size() == 1 || y1 <= y0) {
        rect(x0, y0, x1, y1, stops[0]);
        return;
    }
    int bands = int(stops.size()) - 1;
    for (int y = y0; y <= y1; ++y) {
        double t = double(y - y0) / double(y1 - y0 + 1) * bands;
        int i = std::min(int(t), bands - 1);
        double f = t - i;
        for (int x = x0; x <= x1; ++x)
            pixel(x, y, bayer(x, y) < f ? stops[i + 1] : stops[i]);
    }
}

void Canvas::glow(int cx, int cy, int radius, Rgb c, double strength)
{
    // flat concentric bands an eighth apart, as a painter with few colours
    // lays soft light: no dither between them
    for (int y = cy - radius; y <= cy + radius; ++y)
        for (int x = cx - radius; x <= cx + radius; ++x) {
            double d = std::hypot(x - cx, y - cy) / radius;
            if (d >= 1.0)
                continue;
            double band = std::ceil((1.0 - d) * strength * 8.0 - 0.5);
            if (band > 0)
                pixel(x, y, mix(get(x, y), c, std::min(1.0, band / 8.0)));
        }
}

void Canvas::tint(Rgb c, double amount)
{
    for (int y = 0; y < bmp->h; ++y)
        for (int x = 0; x < bmp->w; ++x)
            pixel(x, y, mix(get(x, y), c, amount));
}

void Canvas::darken(double factor)
{
    for (int y = 0; y < bmp->h; ++y)
        for (int x = 0; x < bmp->w; ++x)
            pixel(x, y, shade(get(x, y), factor));
}

void Canvas::reduce_colours(int count)
{
    std::vector<Rgb> px;
    for (int y = 0; y < bmp->h; ++y)
        for (int x = 0; x < bmp->w; ++x)
            px.push_back(get(x, y));
    auto channel = [&](int i, int k) { return k == 0 ? px[size_t(i)].r : k == 1 ? px[size_t(i)].g : px[size_t(i)].b; };
    std::vector<std::vector<int>> boxes(1);
    for (int i = 0; i < int(px.size()); ++i)
        boxes[0].push_back(i);
    while (int(boxes.size()) < count) {
        // split the group that spreads furthest along one channel, at its median
        int best = -1, bestChannel = 0, bestRange = 0;
        for (int b = 0; b < int(boxes.size()); ++b)
            for (int k = 0; k < 3; ++k) {
                int lo = 255, hi = 0;
                for (int i : boxes[size_t(b)]) {
                    lo = std::min(lo, channel(i, k));
                    hi = std::max(hi, channel(i, k));
                }
                if (hi - lo > bestRange) {
                    bestRange = hi - lo;
                    best = b;
                    bestChannel = k;
                }
            }
        if (best < 0)
            break;
        std::vector<int>& box = boxes[size_t(best)];
        std::stable_sort(box.begin(), box.end(),
                         [&](int a, int b) { return channel(a, bestChannel) < channel(b, bestChannel); });
        size_t cut = box.size() / 2;
        // never split one colour between two groups
        while (cut < box.size() && cut > 0 && channel(box[cut], bestChannel) == channel(box[cut - 1], bestChannel))
            ++cut;
        if (cut >= box.size()) {
            cut = box.size() / 2;
            while (cut > 0 && channel(box[cut], bestChannel) == channel(box[cut - 1], bestChannel))
                --cut;
        }
        std::vector<int> upper(box.begin() + long(cut), box.end());
        box.resize(cut);
        boxes.push_back(std::move(upper));
    }
    for (const std::vector<int>& box : boxes) {
        long sum[3] = {};
        for (int i : box) {
            sum[0] += px[size_t(i)].r;
            sum[1] += px[size_t(i)].g;
            sum[2] += px[size_t(i)].b;
        }
        long n = long(box.size());
        Rgb average{int((sum[0] + n / 2) / n), int((sum[1] + n / 2) / n), int((sum[2] + n / 2) / n)};
        for (int i : box)
            pixel(i % bmp->w, i / bmp->w, average);
    }
}

void Canvas::ridge(int base, std::initializer_list<double> waves, Rgb c, int bottom)
{
    std::vector<double> w(waves);
    for (int x = 0; x < bmp->w; ++x) {
        double top = base;
        for (size_t i = 0; i + 2 < w.size(); i += 3)
            top += w[i] * std::sin((x / w[i + 1] + w[i + 2]) * 6.283185307179586);
        vline(x, int(std::lround(top)), bottom, c);
    }
}

void Canvas::speckle(int x0, int y0, int x1, int y1, Rgb c, double density, uint32_t seed)
{
    Dice dice(seed);
    for (int y = y0; y <= y1; ++y)
        for (int x = x0; x <= x1; ++x)
            if (dice.unit() < density)
                pixel(x, y, c);
}

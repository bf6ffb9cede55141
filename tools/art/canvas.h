// A small painter over an Allegro bitmap, in scene pixels: the vocabulary that the
// paintings in art/scenes/ are written in.
#pragma once

#include <allegro.h>

#include <cstdint>
#include <initializer_list>

struct Rgb {
    int r = 0, g = 0, b = 0;
};

// Mixes a and b: t = 0 gives a, t = 1 gives b.
Rgb mix(Rgb a, Rgb b, double t);
Rgb shade(Rgb c, double factor);  // factor < 1 darkens, > 1 lightens
Rgb desaturate(Rgb c, double amount);

// Ordered-dither threshold (0..1) of a pixel: the 4x4 Bayer matrix.
double bayer(int x, int y);

class Canvas {
public:
    explicit Canvas(BITMAP* target);

    BITMAP* bitmap() const { return bmp; }
    int width() const { return bmp->w; }
    int height() const { return bmp->h; }

    void pixel(int x, int y, Rgb c);
    Rgb get(int x, int y) const;
    void fill(Rgb c);
    void rect(int x0, int y0, int x1, int y1, Rgb c);  // inclusive corners
    void hline(int x0, int x1, int y, Rgb c);
    void vline(int x, int y0, int y1, Rgb c);
    void line(int x0, int y0, int x1, int y1, Rgb c);
    void triangle(int x0, int y0, int x1, int y1, int x2, int y2, Rgb c);
    void polygon(std::initializer_list<int> xy, Rgb c);
    void circle(int cx, int cy, int r, Rgb c);
    void ellipse(int cx, int cy, int rx, int ry, Rgb c);

    // Two colours mixed by ordered dithering: level 0 is all a, 1 all b.
    void dither_rect(int x0, int y0, int x1, int y1, Rgb a, Rgb b, double level);
    // A vertical gradient through the given colours from row y0 to y1, dithered
    // between neighbouring colours.
    void gradient(int y0, int y1, std::initializer_list<Rgb> colours, int x0 = 0, int x1 = -1);
    // A soft light: colour c laid over what is there in flat rings, strongest at the centre.
    void glow(int cx, int cy, int radius, Rgb c, double strength = 0.8);
    // Darkens (factor < 1) or tints everything already painted.
    void tint(Rgb c, double amount);
    void darken(double factor);
    // Brings the picture down to at most `count` colours (median cut): each
    // colour becomes the average of its group, so soft light turns into a few
    // flat bands, as a painter with a small palette would lay it.
    void reduce_colours(int count);

    // A hill line: for every column, the top row is base + the sum of sines
    // (amplitude, wavelength, phase triples); fills down to the bottom row.
    void ridge(int base, std::initializer_list<double> waves, Rgb c, int bottom = 59);
    // Scattered pixels of c over a rectangle, from a fixed seed.
    void speckle(int x0, int y0, int x1, int y1, Rgb c, double density, uint32_t seed);

private:
    BITMAP* bmp;
};

// A small, fixed pseudo-random sequence so that every run paints the same.
class Dice {
public:
    explicit Dice(uint32_t seed) : state(seed * 2654435761u + 12345u) {}
    uint32_t next();
    int range(int lo, int hi);  // inclusive
    double unit();              // 0 <= u < 1

private:
    uint32_t state;
};

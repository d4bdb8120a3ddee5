// The palette is the one CAD hosts show in their colour dialog: seven named colours, two greys,
// 24 hues in steps of 15 degrees at five brightness levels each in a full and a pale (halfway to
// white) variant, and six greys. It is built once from that rule into one table.
#include "render/palette.h"

#include <array>
#include <cmath>

namespace vx::render {

namespace {

struct Rgb {
    uint8_t r, g, b;
};

// The channels of hue step h (0-23, 15 degrees each) at full brightness: one channel at 255,
// one ramping in quarter steps, one at 0. Kept as reals: the dialog's numbers are the exact
// values scaled and then cut, never rounded in between.
struct Channels {
    double r, g, b;
};
Channels hueAt(int h) {
    const int sextant = h / 4, q = h % 4;
    const double up = 255.0 * q / 4, down = 255.0 * (4 - q) / 4;
    switch (sextant) {
    case 0: return {255, up, 0};
    case 1: return {down, 255, 0};
    case 2: return {0, 255, up};
    case 3: return {0, down, 255};
    case 4: return {up, 0, 255};
    default: return {255, 0, down};
    }
}

std::array<Rgb, 256> buildPalette() {
    std::array<Rgb, 256> p{};
    const Rgb named[10] = {{0, 0, 0},     {255, 0, 0},   {255, 255, 0},   {0, 255, 0},     {0, 255, 255},
                           {0, 0, 255},   {255, 0, 255}, {255, 255, 255}, {128, 128, 128}, {192, 192, 192}};
    for (int i = 0; i < 10; ++i) p[static_cast<size_t>(i)] = named[i];
    static const double levels[5] = {255, 204, 153, 127, 76};
    for (int i = 10; i < 250; ++i) {
        const int k = (i - 10) % 10;
        Channels c = hueAt((i - 10) / 10);
        if (k % 2) c = {c.r + (255 - c.r) / 2, c.g + (255 - c.g) / 2, c.b + (255 - c.b) / 2};
        const double level = levels[k / 2];
        auto cut = [level](double v) { return static_cast<uint8_t>(std::floor(v * level / 255 + 1e-9)); };
        p[static_cast<size_t>(i)] = {cut(c.r), cut(c.g), cut(c.b)};
    }
    static const uint8_t greys[6] = {51, 80, 105, 130, 190, 255};
    for (int i = 0; i < 6; ++i) p[static_cast<size_t>(250 + i)] = {greys[i], greys[i], greys[i]};
    return p;
}

const std::array<Rgb, 256>& palette() {
    static const std::array<Rgb, 256> p = buildPalette();
    return p;
}

}  // namespace

Color aciColor(int aci) {
    if (aci < 1 || aci > 255) aci = 7;
    const Rgb& c = palette()[static_cast<size_t>(aci)];
    return {c.r, c.g, c.b, static_cast<uint8_t>(aci)};
}

Color trueColor(uint32_t rgb) {
    return {static_cast<uint8_t>(rgb >> 16), static_cast<uint8_t>(rgb >> 8), static_cast<uint8_t>(rgb), 0};
}

}  // namespace vx::render

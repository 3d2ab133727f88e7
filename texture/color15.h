#pragma once
// 15-bit hardware colours: red in bits 0-4, green in bits 5-9, blue in bits
// 10-14, each the 8-bit channel shifted right by 3.

#include <cstdint>

namespace korvo {

inline constexpr uint16_t kColor15Mask = 0x7fff;
// Palette padding: the entries after the colours in use.
inline constexpr uint16_t kPaletteFiller = 0x7fff;

constexpr int Red5(uint16_t c) { return c & 31; }
constexpr int Green5(uint16_t c) { return (c >> 5) & 31; }
constexpr int Blue5(uint16_t c) { return (c >> 10) & 31; }

constexpr uint16_t Pack5(int r, int g, int b) { return static_cast<uint16_t>(r | (g << 5) | (b << 10)); }

constexpr uint16_t Color15(uint8_t r, uint8_t g, uint8_t b) { return Pack5(r >> 3, g >> 3, b >> 3); }

// Brightness that orders palettes: each channel shifted left by 3.
int PaletteBrightness(uint16_t c);
// Brightness that orders a compressed block's colours: each channel
// widened to 8 bits as c * 8 + c / 4.
int BlockBrightness(uint16_t c);

// Distance between two colours for compression: squared channel
// differences weighted 30 (red), 59 (green), 11 (blue) before squaring.
constexpr int WeightedDistance(uint16_t a, uint16_t b) {
    const int dr = 30 * (Red5(a) - Red5(b));
    const int dg = 59 * (Green5(a) - Green5(b));
    const int db = 11 * (Blue5(a) - Blue5(b));
    return dr * dr + dg * dg + db * db;
}

}  // namespace korvo

#include "texture/color15.h"

namespace korvo {

namespace {

int Luma(int r, int g, int b) { return static_cast<int>(0.299 * r + 0.587 * g + 0.114 * b); }

int Widen(int c) { return c * 8 + c / 4; }

}  // namespace

int PaletteBrightness(uint16_t c) { return Luma(Red5(c) << 3, Green5(c) << 3, Blue5(c) << 3); }

int BlockBrightness(uint16_t c) { return Luma(Widen(Red5(c)), Widen(Green5(c)), Widen(Blue5(c))); }

}  // namespace korvo

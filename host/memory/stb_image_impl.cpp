// The image decoder's implementation, compiled once. Images larger than
// this on a side are refused before any pixel is decoded.
#define STBI_MAX_DIMENSIONS 16384
#define STB_IMAGE_IMPLEMENTATION
#include <stb/stb_image.h>

#pragma once
// tinygltf's declarations. The library itself is Debian's shared
// libtinygltf, built with its own image and JSON code; this program gives it
// an image loader that keeps the encoded bytes, so no image codec is
// compiled here.

#ifndef TINYGLTF_NO_STB_IMAGE
#define TINYGLTF_NO_STB_IMAGE
#endif
#ifndef TINYGLTF_NO_STB_IMAGE_WRITE
#define TINYGLTF_NO_STB_IMAGE_WRITE
#endif
#include <tiny_gltf.h>

#pragma once
// The textures as the model file carries them: each in its hardware
// format, the palettes named and shared between textures that name the
// same palette, numbered in the order tex_palette_array writes them
// (sorted by name), and the texture image of every material.

#include "core/export_scene.h"
#include "core/progress.h"
#include "writers/model_layout.h"

namespace korvo {

// Fills layout.textures, layout.palettes and layout.material_images. Two
// textures that name one palette with different colours leave the later
// one's name in layout.palette_conflict, and the palettes unnumbered.
void LayOutTextures(const ExportScene& scene, Progress& progress, ModelLayout& layout);

}  // namespace korvo

#pragma once
// The model file's texture sections: tex_image_array, every texture in its
// hardware format, and tex_palette_array, the palettes named, shared
// between textures that name the same palette, and sorted by name.

#include "core/diagnostics.h"
#include "core/progress.h"

namespace korvo {

class TextWriter;
struct ExportScene;

// Encodes and writes every texture, then the palettes, and sets each
// texture's palette_index. Writes nothing for a scene without textures.
// Returns false, after an error box, when two textures name the same
// palette with different colours; the model file must then end.
bool WriteTextureSections(TextWriter& out, ExportScene& scene, Diagnostics& diagnostics, Progress& progress);

}  // namespace korvo

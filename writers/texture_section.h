#pragma once
// The model file's texture sections: tex_image_array, every texture in its
// hardware format, and tex_palette_array, the palettes in the order the
// model layout numbered them.

#include "core/diagnostics.h"
#include "core/export_scene.h"
#include "core/progress.h"
#include "writers/model_layout.h"
#include "writers/text_writer.h"

namespace korvo {

// Writes every texture as the layout encoded it, then the palettes.
// Writes nothing for a scene without textures. Returns false, after an
// error box, when two textures name the same palette with different
// colours; the model file must then end.
bool WriteTextureSections(TextWriter& out, const ExportScene& scene, const ModelLayout& layout,
                          Diagnostics& diagnostics, Progress& progress);

}  // namespace korvo

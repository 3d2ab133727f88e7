#include "optimize/optimize_scene.h"

#include "optimize/magnification.h"
#include "optimize/material_compression.h"
#include "optimize/node_compression.h"

namespace korvo {

void OptimizeScene(ExportScene& scene, const ExportOptions& options, Diagnostics& diagnostics, Progress& progress) {
    // Materials first: merging duplicates rewrites the polygons' material
    // names, which node compression compares when it combines polygons.
    CompressMaterials(scene, options, diagnostics);
    // Node compression moves polygons between nodes and re-expresses their
    // positions, so it must run before positions are scaled.
    CompressNodes(scene, options, diagnostics, progress);
    // Magnification sees the final geometry; the position scale then sees
    // the magnified positions and sets pos_scale for the writers.
    MagnifyScene(scene, options.magnify, progress);
    ComputePositionScale(scene);
    // Only now is it known which materials survived, hence which textures.
    RemoveUnusedTextures(scene);
}

}  // namespace korvo

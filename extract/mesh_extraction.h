#pragma once
// Meshes: one ExportPolygon per exported mesh node and material, with
// positions, normals, colours, texture coordinates, faces and skins.

#include "extract/extraction.h"

namespace korvo {

// Counts and fills the scene's polygons. False stops the export.
bool BuildPolygons(Extraction& extraction);

// True when the node carries a subdivision surface and must not be
// exported as a mesh; shows the error.
bool SubdivisionCheck(Extraction& extraction, const HostNode& node);

// Logs the warnings for NURBS objects, which cannot be exported.
void NurbsWarnings(Extraction& extraction, const HostNode& node);

}  // namespace korvo

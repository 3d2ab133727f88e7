#pragma once
// One primitive of a matrix group: a triangle or quad strip, or a list of
// separate triangles or quads.

#include <cstdint>

#include "core/export_scene.h"
#include "core/face_plan.h"
#include "writers/text_writer.h"
#include "writers/vertex_commands.h"

namespace korvo {

void WritePrimitive(TextWriter& out, VertexCommandWriter& vertices, const ExportPolygon& polygon,
                    const Primitive& primitive, int32_t index);

}  // namespace korvo

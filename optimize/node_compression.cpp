#include "optimize/node_compression.h"

#include <algorithm>
#include <array>

#include "core/node_index.h"
#include "core/node_world_matrix.h"
#include "core/polygon_volume.h"

namespace korvo {

namespace {

int CountTopLevel(const ExportScene& scene) {
    return static_cast<int>(std::count_if(scene.nodes.begin(), scene.nodes.end(),
                                          [](const ExportNode& node) { return node.parent == -1; }));
}

ExportNode WorldRoot(const ExportScene& scene, int32_t frame_count) {
    ExportNode root;
    root.name = "world_root";
    root.kind = NodeKind::Null;
    root.id = kWorldRootId;
    const auto first = std::find_if(scene.nodes.begin(), scene.nodes.end(), [](const ExportNode& node) {
        return node.parent == -1 && node.brother_prev == -1;
    });
    root.child = first == scene.nodes.end() ? -1 : first->id;
    const std::size_t frames = frame_count > 0 ? static_cast<std::size_t>(frame_count) : 0;
    root.scale_samples.assign(frames, Vec3{1, 1, 1});
    root.rotate_samples.assign(frames, Vec3{});
    root.translate_samples.assign(frames, Vec3{});
    root.visibility_samples.assign(frames, 1);
    root.visible = true;
    return root;
}

// Several top-level nodes get one parent, so the model has a single root.
void AddWorldRoot(ExportScene& scene, int32_t frame_count, Progress& progress) {
    progress.Advance(progress.StepSize(1), "Adding World Root");
    if (CountTopLevel(scene) == 1) return;
    ExportNode root = WorldRoot(scene, frame_count);
    for (ExportNode& node : scene.nodes) {
        if (node.parent == -1) node.parent = kWorldRootId;
    }
    scene.nodes.insert(scene.nodes.begin(), std::move(root));
}

// The normal of a face's first three corners; zero when one is missing.
template <std::size_t N>
Vec3 FaceVector(const ExportPolygon& polygon, const NCornerFace<N>& face) {
    const std::vector<Vec3>& p = polygon.positions;
    const auto [a, b, c] = std::array{face.position[0], face.position[1], face.position[2]};
    if (a >= p.size() || b >= p.size() || c >= p.size()) return {};
    return FaceNormal(p[a], p[b], p[c]);
}

// A vertex blended from several bones is drawn with a blend of their
// matrices, which the hardware applies to model-space positions; a vertex
// on one bone already sits in that bone's space.
void MoveBlendedVerticesToModelSpace(ExportScene& scene) {
    const std::vector<ColumnMatrix> world = NodeWorldMatrices(scene);
    const NodeIndex node_index(scene);
    for (ExportPolygon& polygon : scene.polygons) {
        if (!polygon.skinned()) continue;
        const int32_t owner = node_index(polygon.node);
        const ColumnMatrix to_model = owner >= 0 ? world[static_cast<std::size_t>(owner)] : ColumnMatrix{};
        const std::size_t count = std::min(polygon.positions.size(), polygon.skin.size());
        for (std::size_t v = 0; v < count; ++v) {
            if (polygon.skin[v].count > 1) polygon.positions[v] = Apply(to_model, polygon.positions[v]);
        }
        for (NTriFace& face : polygon.triangles) face.face_vector = FaceVector(polygon, face);
        for (NQuadFace& face : polygon.quads) face.face_vector = FaceVector(polygon, face);
        UpdatePolygonVolume(polygon);
    }
}

// A mesh node's box holds the boxes of the polygons it draws; a mesh node
// without polygons keeps the box it had.
void UpdateNodeVolumes(ExportScene& scene) {
    const NodeIndex node_index(scene);
    std::vector<char> seen(scene.nodes.size(), 0);
    for (const ExportPolygon& polygon : scene.polygons) {
        const int32_t i = node_index(polygon.node);
        if (polygon.removed || i < 0) continue;
        ExportNode& node = scene.nodes[static_cast<std::size_t>(i)];
        if (node.kind != NodeKind::Mesh) continue;
        const Vec3& a = polygon.volume_min;
        const Vec3& b = polygon.volume_max;
        if (!seen[static_cast<std::size_t>(i)]) {
            node.volume_min = a;
            node.volume_max = b;
            seen[static_cast<std::size_t>(i)] = 1;
            continue;
        }
        node.volume_min = {std::min(node.volume_min.x, a.x), std::min(node.volume_min.y, a.y),
                           std::min(node.volume_min.z, a.z)};
        node.volume_max = {std::max(node.volume_max.x, b.x), std::max(node.volume_max.y, b.y),
                           std::max(node.volume_max.z, b.z)};
    }
    for (std::size_t i = 0; i < scene.nodes.size(); ++i) {
        if (!seen[i]) continue;
        ExportNode& node = scene.nodes[i];
        node.volume_r = VolumeRadius(node.volume_min, node.volume_max);
    }
}

}  // namespace

void CompressNodes(ExportScene& scene, const ExportOptions& options, Diagnostics& /*diagnostics*/, Progress& progress) {
    // Culling, merging and uniting are not available yet (the run's log says
    // so): every mode does what "none" does, and the model file records the
    // mode asked for.
    scene.node_compression = options.compress_node;
    scene.node_count_before_compression =
        static_cast<int32_t>(scene.nodes.size()) + (CountTopLevel(scene) > 1 ? 1 : 0);
    AddWorldRoot(scene, options.frames.count, progress);
    MoveBlendedVerticesToModelSpace(scene);
    UpdateNodeVolumes(scene);
    progress.FinishStep("Adding World Root");
}

}  // namespace korvo

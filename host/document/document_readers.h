#pragma once
// The record readers of the scene document, one per kind of record. Each
// reads one JSON value into the scene of its Value's context.

#include <functional>

#include "host/document/json_value.h"
#include "host/memory/memory_scene.h"

namespace korvo::document {

inline constexpr int kMaxNodeDepth = 256;
inline constexpr int kMaxMaterialDepth = 64;

// The whole document; ids assigned and references resolved.
void ReadScene(const Value& document, MemoryScene& scene);

// A list of nodes under parent (the root when null).
void ReadNodes(const Value& nodes, MemoryNode* parent, int depth);
// A node name or id; set is called with the node once every node is read.
void ReadNodeReference(const Value& value, std::function<void(MemoryNode*)> set);
// Position, rotation (Euler degrees) or quaternion, scale: constants.
Matrix3 ReadStaticTransform(const Value& value);
Prs ReadPrs(const Value& value);

std::unique_ptr<MemoryMesh> ReadMesh(const Value& value);
void ReadModifiers(const Value& value, MemoryNode& node);
void ReadLight(const Value& value, MemoryLight& light);
void ReadCamera(const Value& value, MemoryCamera& camera);

MemoryMaterial& ReadMaterial(const Value& value, int depth, bool is_delegate);
// A named texture map of the scene's list.
void ReadNamedTexmap(const Value& value);
// A texture map given inline, or the name of one of the scene's list.
MemoryTexmap* ReadTexmapReference(const Value& value);

std::optional<std::vector<uint8_t>> ReadStoredSettings(const Value& value);

// The document gives angles in degrees, the host interfaces take radians.
inline Track<float> DegreesToRadians(Track<float> track) {
    constexpr double kRadiansPerDegree = 3.14159265358979323846 / 180.0;
    for (TrackKey<float>& key : track.keys) key.value = static_cast<float>(key.value * kRadiansPerDegree);
    return track;
}

}  // namespace korvo::document

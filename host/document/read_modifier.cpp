// Modifiers: Skin with bones and weights, Morpher channels, Physique bones,
// and modifiers of any other class by name.

#include <algorithm>
#include <cctype>

#include "host/document/document_context.h"
#include "host/document/document_readers.h"

namespace korvo::document {

namespace {

std::string Lower(std::string text) {
    std::transform(text.begin(), text.end(), text.begin(),
                   [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
    return text;
}

ModifierKind KindOfClass(const std::string& class_name) {
    const std::string lower = Lower(class_name);
    if (lower == "skin") return ModifierKind::Skin;
    if (lower == "morpher") return ModifierKind::Morpher;
    if (lower == "physique") return ModifierKind::Physique;
    return ModifierKind::Other;
}

// Each bone is a node name or id, or {"node": ..., "initial_transform": {...}}.
void ReadBones(const Value& value, std::vector<MemoryBone>& bones) {
    bones.assign(value.ArraySize(), MemoryBone{});
    ForEachElement(value, [&bones](const Value& element, std::size_t i) {
        auto set = [&bones, i](MemoryNode* node) { bones[i].node = node; };
        if (!element.json().is_object()) {
            ReadNodeReference(element, set);
            return;
        }
        ObjectReader reader(element);
        reader.RequireWith("node", [&set](const Value& node) { ReadNodeReference(node, set); });
        reader.ReadWith("initial_transform", [&bones, i](const Value& transform) {
            bones[i].initial_transform = ReadStaticTransform(transform);
        });
        reader.Finish();
    });
}

// One list per vertex of [bone index, weight] pairs.
void ReadWeights(const Value& value, MemorySkin& skin) {
    ForEachElement(value, [&skin](const Value& vertex, std::size_t) {
        std::vector<SkinWeight> list;
        ForEachElement(vertex, [&skin, &list](const Value& pair, std::size_t) {
            if (pair.ArraySize() != 2) {
                pair.Fail("a weight is [bone, weight], found " + std::to_string(pair.ArraySize()) + " elements");
            }
            const Value bone = pair.Element(0);
            const Value weight = pair.Element(1);
            SkinWeight entry;
            ReadValue(bone, entry.bone);
            if (entry.bone < 0 || static_cast<std::size_t>(entry.bone) >= skin.bones.size()) {
                bone.Fail("bone " + std::to_string(entry.bone) + " out of range (the skin has " +
                          CountText(skin.bones.size(), "bone", "bones") + ")");
            }
            ReadValue(weight, entry.weight);
            if (entry.weight < 0.0f) weight.Fail("weight " + Describe(weight.json()) + " is negative");
            list.push_back(entry);
        });
        skin.weights.push_back(std::move(list));
    });
}

void ReadChannels(const Value& value, MemoryMorpher& morpher) {
    ForEachElement(value, [&morpher](const Value& channel, std::size_t) {
        int index = 0;
        Track<float> weight;
        ObjectReader reader(channel);
        reader.RequireWith("index", [&index, &morpher](const Value& number) {
            index = ReadInt(number, 0, HostMorpher::kChannelCount - 1);
            if (morpher.channels.count(index)) number.Fail("channel " + std::to_string(index) + " is given twice");
        });
        reader.Require("weight", weight);
        reader.Finish();
        morpher.channels[index] = std::move(weight);
    });
}

std::unique_ptr<MemoryModifier> ReadModifier(const Value& value, const MemoryNode& node) {
    ObjectReader reader(value);
    std::string class_name;
    reader.RequireNow("class", class_name);
    const ModifierKind kind = KindOfClass(class_name);
    auto modifier = kind == ModifierKind::Other ? MemoryModifier::MakeOther(class_name) : MemoryModifier::Make(kind);
    MemoryModifier& m = *modifier;
    reader.Read("name", m.name);
    reader.Read("enabled", m.enabled);
    bool has_weights = false;
    if (kind == ModifierKind::Skin) {
        MemorySkin& skin = *m.skin;
        reader.ReadWith("bones", [&skin](const Value& bones) { ReadBones(bones, skin.bones); });
        has_weights = reader.ReadWith("weights", [&skin](const Value& weights) { ReadWeights(weights, skin); });
        reader.ReadWith("initial_skin_transform", [&skin](const Value& transform) {
            skin.initial_skin_transform = ReadStaticTransform(transform);
        });
    } else if (kind == ModifierKind::Morpher) {
        reader.ReadWith("channels", [&m](const Value& channels) { ReadChannels(channels, *m.morpher); });
    } else if (kind == ModifierKind::Physique) {
        reader.ReadWith("bones", [&m](const Value& bones) { ReadBones(bones, m.physique_bones); });
    }
    reader.Finish();

    if (kind == ModifierKind::Skin) {
        if (!node.mesh) value.Fail("a skin needs a node with a mesh");
        const std::size_t vertex_count = node.mesh->vertices.size();
        if (!has_weights) {
            m.skin->weights.assign(vertex_count, {});
        } else if (m.skin->weights.size() != vertex_count) {
            value.Member("weights").Fail("the skin has " + CountText(m.skin->weights.size(), "vertex", "vertices") +
                                         ", the mesh has " + CountText(vertex_count, "vertex", "vertices"));
        }
    }
    return modifier;
}

}  // namespace

void ReadModifiers(const Value& value, MemoryNode& node) {
    ForEachElement(
        value, [&node](const Value& modifier, std::size_t) { node.modifiers.push_back(ReadModifier(modifier, node)); });
}

}  // namespace korvo::document

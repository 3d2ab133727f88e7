#pragma once
// Export scenes built record by record for the model file tests, and the
// model file they give.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/export_scene.h"
#include "extract/default_material.h"
#include "optimize/color_list_compression.h"
#include "support/reports.h"
#include "support/test_support.h"
#include "writers/file_writers.h"

namespace korvo::test {

// A scene with the default material.
inline ExportScene ModelScene() {
    ExportScene scene;
    scene.materials.push_back(DefaultMaterial(1));
    scene.material_count_before_compression = 1;
    return scene;
}

inline ExportNode& AddNode(ExportScene& scene, int32_t id, const std::string& name, NodeKind kind,
                           int32_t parent = -1) {
    ExportNode node;
    node.id = id;
    node.name = name;
    node.kind = kind;
    node.parent = parent;
    node.visible = true;
    scene.nodes.push_back(node);
    scene.node_count_before_compression = static_cast<int32_t>(scene.nodes.size());
    return scene.nodes.back();
}

// One separate triangle per three positions, with one normal.
inline ExportPolygon& AddPolygon(ExportScene& scene, int32_t owner, const std::string& name,
                                 const std::vector<Vec3>& positions) {
    ExportPolygon polygon;
    polygon.name = name;
    polygon.node = polygon.source_node = owner;
    polygon.material = kDefaultMaterialName;
    polygon.positions = positions;
    polygon.normals = {{0.0f, 0.0f, 1.0f}};
    for (std::size_t i = 0; i + 2 < positions.size(); i += 3) {
        NTriFace face;
        for (std::size_t c = 0; c < 3; ++c) face.position[c] = static_cast<uint16_t>(i + c);
        polygon.triangles.push_back(face);
    }
    scene.polygons.push_back(polygon);
    return scene.polygons.back();
}

inline SkinEntry Skin(const std::vector<std::pair<int32_t, float>>& weights) {
    SkinEntry entry;
    for (const auto& [node, weight] : weights) {
        entry.nodes.push_back(node);
        entry.weights.push_back(weight);
        entry.slots.push_back(static_cast<int32_t>(entry.slots.size()));
    }
    entry.count = static_cast<int32_t>(weights.size());
    entry.last_slot = entry.count - 1;
    return entry;
}

inline Provenance FixedProvenance(std::string source) {
    return {"artist", "STUDIO-PC", "2009-07-08T14:05:09", std::move(source)};
}

// A file of the kind as the frame writes it, through <original_generator>
// (written with FixedProvenance), and the lines that close it.
inline std::string FrameHead(const std::string& root, const std::string& title, const std::string& source) {
    const std::string create =
        "user=\"artist\" host=\"STUDIO-PC\" date=\"2009-07-08T14:05:09\" source=\"" + source + "\"/>\n";
    const std::string generator = "name=\"3dsmax 2010 KVS_Export\" version=\"1.6.0.20090708\"/>\n";
    return "<?xml version=\"1.0\" encoding=\"Shift_JIS\"?>\n"
           "\n<" + root + " version=\"1.6.0\">\n"
           "\n<head>\n"
           "\t<create " + create +
           "\t<title>" + title + "</title>\n"
           "\t<generator " + generator +
           "</head>\n"
           "\n<body>\n\n"
           "<original_create " + create +
           "<original_generator " + generator;
}

inline std::string FrameClose(const std::string& root) { return "\n</body>\n\n</" + root + ">\n"; }

// A model file's text (UTF-8, empty when the writer failed), what the
// writer reported, and the layout it was written from.
struct ModelFile {
    std::string text;
    std::vector<std::string> warnings;  // in order, repeats included
    std::vector<std::string> errors;    // "caption: text"
    ModelLayout layout;
};

inline ModelFile WriteLaidOut(const ExportScene& scene, const ExportOptions& options, const ModelLayout& layout) {
    Reports reports;
    Progress progress;
    const WriterInput input{scene, options, layout};
    const std::optional<std::string> text =
        FramedText(FileKind::Model, FixedProvenance("model.max"),
                   [&](TextWriter& out) { return WriteModelBody(out, input, reports.diagnostics, progress); });
    return {text.value_or(""), reports.Warnings(), reports.Errors(), layout};
}

// Runs what the driver runs before the model writer (colour lists, the
// layout), then the writer.
inline ModelFile WriteModel(ExportScene& scene, const ExportOptions& options = {}) {
    Progress progress;
    CompressColorLists(scene, progress);
    return WriteLaidOut(scene, options, LayOutModel(scene, progress));
}

inline std::string ModelText(ExportScene& scene, const ExportOptions& options = {}) {
    ModelFile file = WriteModel(scene, options);
    EXPECT_NE(file.text, "");
    return file.text;
}

// The element that starts with "\n<tag", through its closing tag (or, for
// an element without one, its "/>" line); empty when the file has none.
inline std::string Section(const std::string& text, const std::string& tag) {
    const std::size_t start = text.find("\n<" + tag);
    if (start == std::string::npos) return {};
    const std::string close = "</" + tag + ">\n";
    std::size_t end = text.find(close, start);
    if (end != std::string::npos) return text.substr(start, end + close.size() - start);
    end = text.find("/>\n", start);
    return end == std::string::npos ? std::string{} : text.substr(start, end + 3 - start);
}

}  // namespace korvo::test

#pragma once
// A scene document in a folder of its own (small image files beside it),
// run through material extraction and polygon building as the driver
// runs them.

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "extract/material_extraction.h"
#include "extract/mesh_extraction.h"
#include "extract/skin_deformation.h"
#include "host/document/scene_document.h"
#include "host/scene_wrapper.h"
#include "support/reports.h"
#include "support/test_support.h"

namespace korvo::test {

// An uncompressed true-colour TGA (image type 2, 32 bits, top row first),
// which the host decodes but the direct reader leaves to it.
inline std::string TrueColorTga(int width, int height, uint8_t alpha = 255) {
    std::string file(18, '\0');
    file[2] = 2;
    file[12] = static_cast<char>(width & 0xFF);
    file[13] = static_cast<char>(width >> 8);
    file[14] = static_cast<char>(height & 0xFF);
    file[15] = static_cast<char>(height >> 8);
    file[16] = 32;
    file[17] = 0x28;  // top-left origin, 8 alpha bits
    for (int i = 0; i < width * height; ++i) file += {static_cast<char>(i & 0xFF), 0x40, char(0x80), char(alpha)};
    return file;
}

class DocumentRun {
public:
    // The document is read as "<folder>/scene.json".
    explicit DocumentRun(const std::string& document) {
        std::string error;
        host = LoadSceneDocumentText(document, folder.file("scene.json"), &error);
        EXPECT_NE(host, nullptr) << error;
    }

    void Image(const std::string& name, const std::string& bytes) const { WriteFile(folder.file(name), bytes); }

    // A fresh extraction of frames start..end, as the driver starts one.
    Extraction& Start(int start = 0, int end = 0) {
        wrapper.InitialiseAll(*host);
        options.frames = Frames(start, end);
        extraction = std::make_unique<Extraction>(scene, *host, wrapper, options, reports.diagnostics, shown.progress);
        return *extraction;
    }

    // Extracts the materials of frames start..end.
    bool Materials(int start = 0, int end = 0) { return host && ExtractMaterials(Start(start, end)); }

    // Builds the polygons of frames start..end. What material extraction
    // (or replace_materials) said is cleared and its materials are marked
    // unused, so that what polygon building says and takes shows alone.
    bool Build(int start = 0, int end = 0) {
        if (!host) return false;
        Start(start, end);
        extraction->node_progress_step = node_progress_step;
        SwitchSkinDeformation(*extraction, false);
        bool ok = true;
        if (replace_materials) {
            replace_materials(*extraction);
        } else {
            ok = ExtractMaterials(*extraction);
        }
        for (ExportMaterial& material : scene.materials) material.orphan = true;
        reports.all.clear();
        progress_before = shown.progress.percent();
        ok = ok && BuildPolygons(*extraction);
        SwitchSkinDeformation(*extraction, true);
        return ok;
    }

    const ExportPolygon& Polygon(std::size_t i) const {
        static const ExportPolygon kMissing;
        EXPECT_LT(i, scene.polygons.size());
        return i < scene.polygons.size() ? scene.polygons[i] : kMissing;
    }

    const ExportMaterial& Material(const std::string& name) const {
        for (const ExportMaterial& material : scene.materials) {
            if (material.name == name) return material;
        }
        ADD_FAILURE() << "no material " << name;
        static const ExportMaterial kMissing;
        return kMissing;
    }

    // The errors as Reports gives them, the scene's folder shown as <dir>.
    std::vector<std::string> BoxTexts() const {
        std::vector<std::string> texts;
        const std::string dir = folder.path().string();
        for (std::string text : reports.Errors()) {
            for (std::size_t at = text.find(dir); at != std::string::npos; at = text.find(dir, at)) {
                text.replace(at, dir.size(), "<dir>");
            }
            texts.push_back(text);
        }
        return texts;
    }

    // A path in the host's form: the scene folder joined with a backslash.
    std::string HostPath(const std::string& name) const { return folder.path().string() + "\\" + name; }

    TempDir folder;
    std::unique_ptr<MemoryScene> host;
    ExportScene scene;
    ExportOptions options;
    SceneWrapper wrapper;
    Reports reports;
    ShownProgress shown;
    std::unique_ptr<Extraction> extraction;
    float node_progress_step = 0.0f;
    float progress_before = 0.0f;
    // Stands in for material extraction when set.
    std::function<void(Extraction&)> replace_materials;

};

inline ::testing::AssertionResult Near(const Vec3& actual, const Vec3& expected, float tolerance = 1e-5f) {
    if (std::fabs(actual.x - expected.x) <= tolerance && std::fabs(actual.y - expected.y) <= tolerance &&
        std::fabs(actual.z - expected.z) <= tolerance) {
        return ::testing::AssertionSuccess();
    }
    return ::testing::AssertionFailure() << "(" << actual.x << ", " << actual.y << ", " << actual.z << ") is not ("
                                         << expected.x << ", " << expected.y << ", " << expected.z << ")";
}

}  // namespace korvo::test

#pragma once
// A scene document run through material extraction and polygon building,
// as the driver runs them, with the polygons it made.

#include <gtest/gtest.h>

#include <cmath>
#include <functional>
#include <memory>
#include <string>

#include "host/document/scene_document.h"
#include "host/scene_wrapper.h"
#include "extract/material_extraction.h"
#include "extract/mesh_extraction.h"
#include "extract/skin_deformation.h"
#include "support/reports.h"
#include "support/test_support.h"

namespace korvo::test {

class MeshTestScene {
public:
    explicit MeshTestScene(const std::string& document) {
        std::string error;
        host = LoadSceneDocumentText(document, "test.json", &error);
        EXPECT_NE(host, nullptr) << error;
    }

    // Frames start..end. What material extraction said and advanced is
    // cleared, and its materials are marked unused, so that what polygon
    // building says, advances and takes shows alone.
    bool Build(int start = 0, int end = 0) {
        if (!host) return false;
        wrapper.InitialiseAll(*host);
        wrapper.SetStaticFrame(0);
        options.frames = Frames(start, end);
        Extraction extraction{scene, *host, wrapper, options, reports.diagnostics, shown.progress};
        extraction.node_progress_step = node_progress_step;
        SwitchSkinDeformation(extraction, false);
        bool ok = true;
        if (replace_materials) {
            replace_materials(extraction);
        } else {
            ok = ExtractMaterials(extraction);
        }
        for (ExportMaterial& material : scene.materials) material.orphan = true;
        reports.all.clear();
        progress_before = shown.progress.percent();
        ok = ok && BuildPolygons(extraction);
        SwitchSkinDeformation(extraction, true);
        return ok;
    }

    const ExportPolygon& Polygon(std::size_t i) const {
        static const ExportPolygon kMissing;
        EXPECT_LT(i, scene.polygons.size());
        return i < scene.polygons.size() ? scene.polygons[i] : kMissing;
    }

    std::unique_ptr<MemoryScene> host;
    ExportScene scene;
    ExportOptions options;
    SceneWrapper wrapper;
    Reports reports;
    ShownProgress shown;
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

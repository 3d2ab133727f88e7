#pragma once
// A memory scene run through scene extraction, with the records it made.

#include <gtest/gtest.h>

#include <cmath>

#include "host/memory/memory_scene.h"
#include "host/scene_wrapper.h"
#include "extract/scene_extraction.h"
#include "extract/skin_deformation.h"
#include "support/reports.h"
#include "support/test_support.h"

namespace korvo::test {

template <typename T>
Track<T> Keys(std::vector<TrackKey<T>> keys) {
    return Track<T>{std::move(keys)};
}

// Rows 0-2 within tolerance, the translation row within translation_tolerance
// (the same when not given).
inline ::testing::AssertionResult MatrixNear(const Matrix3& actual, const Matrix3& expected, float tolerance,
                                             float translation_tolerance = -1.0f) {
    for (int r = 0; r < 4; ++r) {
        const float allowed = r == 3 && translation_tolerance >= 0.0f ? translation_tolerance : tolerance;
        for (int c = 0; c < 3; ++c) {
            if (std::fabs(actual.rows[r][c] - expected.rows[r][c]) > allowed) {
                return ::testing::AssertionFailure() << "row " << r << " column " << c << ": " << actual.rows[r][c]
                                                     << " is not " << expected.rows[r][c];
            }
        }
    }
    return ::testing::AssertionSuccess();
}

class ExtractionFixture : public ::testing::Test {
protected:
    ExtractionFixture() { host.end_frame = 30; }

    // Extracts frames start..end of the host scene as the driver would:
    // the wrapper over all nodes or the selection, deformation off around it.
    bool Extract(int start = 0, int end = 2) {
        host.Link();
        if (!options.export_selection) {
            wrapper.InitialiseAll(host);
        } else {
            wrapper.Initialise(host, host.SelectedNodes(), /*hierarchy=*/true);
        }
        options.frames = Frames(start, end);
        Extraction extraction{scene, host, wrapper, options, reports.diagnostics, shown.progress};
        SwitchSkinDeformation(extraction, false);
        const bool ok = ExtractScene(extraction);
        SwitchSkinDeformation(extraction, true);
        return ok;
    }

    MemoryNode& Add(const std::string& name, MemoryNode* parent = nullptr, ObjectKind kind = ObjectKind::Helper) {
        MemoryNode& node = host.AddNode(parent, name);
        node.kind = kind;
        return node;
    }

    const ExportNode& Node(const std::string& name) const {
        for (const ExportNode& node : scene.nodes) {
            if (node.name == name) return node;
        }
        ADD_FAILURE() << "no node " << name;
        static const ExportNode kMissing;
        return kMissing;
    }

    std::vector<std::string> Names() const {
        std::vector<std::string> names;
        for (const ExportNode& node : scene.nodes) names.push_back(node.name);
        return names;
    }

    MemoryScene host;
    ExportScene scene;
    ExportOptions options;
    SceneWrapper wrapper;
    Reports reports;
    ShownProgress shown;
};

}  // namespace korvo::test

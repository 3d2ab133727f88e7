#pragma once
// Loading test files written to a temporary folder.

#include <gtest/gtest.h>

#include "host/gltf/gltf_scene.h"
#include "host/gltf/gltf_test_file.h"
#include "support/test_support.h"

namespace korvo::test {

class GltfTest : public ::testing::Test {
protected:
    // The scene of the file text saved as name; fails the test when it does not load.
    MemoryScene& Load(const std::string& text, const std::string& name = "test.gltf") {
        scene = Try(text, name);
        EXPECT_TRUE(scene) << error;
        if (!scene) scene = std::make_unique<MemoryScene>();
        return *scene;
    }
    std::unique_ptr<MemoryScene> Try(const std::string& text, const std::string& name = "test.gltf") {
        WriteFile(dir.file(name), text);
        error.clear();
        warnings.clear();
        return LoadGltfScene(dir.file(name), options, &error, &warnings);
    }
    // The error of a file that must not load.
    std::string ErrorOf(const std::string& text, const std::string& name = "test.gltf") {
        EXPECT_FALSE(Try(text, name)) << name << " loaded";
        return error;
    }
    MemoryNode* Node(const std::string& name) const {
        for (const auto& node : scene->nodes) {
            if (node->name == name) return node.get();
        }
        ADD_FAILURE() << "no node " << name;
        return scene->nodes.front().get();
    }

    TempDir dir;
    GltfOptions options;
    GltfTestFile file;
    std::unique_ptr<MemoryScene> scene;
    std::string error;
    std::vector<std::string> warnings;
};

}  // namespace korvo::test

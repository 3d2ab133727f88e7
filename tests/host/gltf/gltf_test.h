#pragma once
// The glTF tests' fixtures: files made by the test, loaded as a host scene,
// or exported through the whole pipeline and read back.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/scene_loader.h"
#include "host/gltf/gltf_scene.h"
#include "host/gltf/gltf_test_file.h"
#include "pipeline/driver.h"
#include "support/imd_reader.h"
#include "support/test_host.h"

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

// One line per problem found in a model file read back; empty when its
// sizes, indices, links and totals agree.
std::vector<std::string> ImdProblems(const ImdElement& imd);

class GltfExportTest : public GltfTest {
protected:
    // A test host whose scene is one loaded from a file.
    struct LoadedSceneHost : TestHost {
        LoadedSceneHost(std::string config_dir, std::unique_ptr<HostScene> loaded)
            : TestHost(std::move(config_dir)), loaded(std::move(loaded)) {}
        HostScene& Scene() override { return *loaded; }
        std::unique_ptr<HostScene> loaded;
    };

    // Exports the file at path, loaded as the command line loads it, into
    // out as model.*; adjust changes the run's settings. The load error, or
    // "" after an export that must succeed without a message box.
    std::string Export(const std::string& path, const std::function<void(ExportSettings&)>& adjust = {}) {
        options.image_folder = EmbeddedImageFolder(out.path().string(), "model");
        std::unique_ptr<HostScene> loaded = LoadSceneFile(path, options, &error, &warnings);
        if (!loaded) return error;
        LoadedSceneHost host(config.path().string(), std::move(loaded));
        ProcessState process;
        KorvoExporter exporter(host, process);
        exporter.run_overrides = [&](ExportSettings& settings) {
            settings.output_file_name = "model";
            settings.output_folder = out.path().string();
            if (adjust) adjust(settings);
        };
        EXPECT_EQ(exporter.DoExport("ignored.imd", true, kExportFromScript), 1) << host.listener;
        for (const RecordedBox& box : host.boxes) ADD_FAILURE() << box.caption << ": " << box.text;
        written = exporter.WrittenFiles();
        return "";
    }
    // Saves the file the test made (see GltfTestFile::Gltf) and exports it.
    void ExportMade(const std::string& body, const std::function<void(ExportSettings&)>& adjust = {}) {
        WriteFile(dir.file("made.gltf"), file.Gltf(body));
        EXPECT_EQ(Export(dir.file("made.gltf"), adjust), "");
    }

    // The written file read back; an empty element (and a failure) when it
    // cannot be read.
    ImdElement ReadBack(const std::string& extension) const {
        std::string read_error;
        const std::string path = out.file("model." + extension);
        std::optional<ImdElement> root = ReadImd(ReadFile(path), &read_error);
        EXPECT_TRUE(root) << path << ": " << read_error;
        return root.value_or(ImdElement{});
    }

    TempDir config, out;
    std::vector<std::string> written;
};

// The body's first element of that name; an empty element when absent.
inline const ImdElement& BodyChild(const ImdElement& root, const std::string& name) {
    static const ImdElement kNone;
    const ImdElement* body = root.Child("body");
    const ImdElement* found = body ? body->Child(name) : nullptr;
    return found ? *found : kNone;
}

// The item of a section whose name attribute is name; an empty element
// (and a failure) when there is none.
inline const ImdElement& Named(const ImdElement& section, const std::string& name) {
    static const ImdElement kNone;
    for (const ImdElement& item : section.children) {
        if (item.Attribute("name") == name) return item;
    }
    ADD_FAILURE() << "no <" << section.name << "> item named " << name;
    return kNone;
}

}  // namespace korvo::test

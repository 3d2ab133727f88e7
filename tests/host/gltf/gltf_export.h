#pragma once
// Exporting a glTF file through the whole pipeline: loaded as the command
// line loads it, exported by KorvoExporter with a test host, and read back
// with the test reader.

#include <gtest/gtest.h>

#include <functional>
#include <memory>

#include "app/scene_loader.h"
#include "pipeline/driver.h"
#include "host/gltf/gltf_test_file.h"
#include "support/imd_reader.h"
#include "support/test_host.h"

namespace korvo::test {

// A test host whose scene is one loaded from a file.
class LoadedSceneHost : public TestHost {
public:
    LoadedSceneHost(std::string config_dir, std::unique_ptr<HostScene> loaded)
        : TestHost(std::move(config_dir)), loaded_(std::move(loaded)) {}
    HostScene& Scene() override { return *loaded_; }

private:
    std::unique_ptr<HostScene> loaded_;
};

struct GltfExportRun {
    std::string load_error;  // set when the file did not load
    std::vector<std::string> load_warnings;
    int result = 0;  // DoExport's
    std::vector<std::string> written;
    std::vector<RecordedBox> boxes;
    std::string listener;
};

class GltfExportTest : public ::testing::Test {
protected:
    // Exports path into out as name.*; adjust changes the run's settings.
    GltfExportRun Export(const std::string& path, const std::function<void(ExportSettings&)>& adjust = {}) {
        GltfExportRun run;
        GltfOptions options;
        options.image_folder = EmbeddedImageFolder(out.path().string(), name);
        std::unique_ptr<HostScene> scene = LoadSceneFile(path, options, &run.load_error, &run.load_warnings);
        if (!scene) return run;
        LoadedSceneHost host(config.path().string(), std::move(scene));
        ProcessState process;
        {
            KorvoExporter exporter(host, process);
            exporter.run_overrides = [&](ExportSettings& settings) {
                settings.output_file_name = name;
                settings.output_folder = out.path().string();
                if (adjust) adjust(settings);
            };
            run.result = exporter.DoExport("ignored.imd", true, kExportFromScript);
            run.written = exporter.WrittenFiles();
        }
        run.boxes = host.boxes;
        run.listener = host.listener;
        return run;
    }

    // Saves the file the test made (see GltfTestFile::Gltf) and exports it,
    // failing the test when that does not succeed.
    void ExportMade(const std::string& body, const std::function<void(ExportSettings&)>& adjust = {}) {
        WriteFile(source.file("made.gltf"), file.Gltf(body));
        const GltfExportRun run = Export(source.file("made.gltf"), adjust);
        EXPECT_EQ(run.load_error, "");
        EXPECT_EQ(run.result, 1) << run.listener;
        for (const RecordedBox& box : run.boxes) ADD_FAILURE() << box.caption << ": " << box.text;
    }

    std::string Output(const std::string& extension) const { return out.file(name + "." + extension); }

    // The written file read back; an empty element (and a failure) when it
    // cannot be read.
    ImdElement ReadBack(const std::string& extension) const {
        std::string error;
        std::optional<ImdElement> root = ReadImd(ReadFile(Output(extension)), &error);
        EXPECT_TRUE(root) << Output(extension) << ": " << error;
        return root.value_or(ImdElement{});
    }

    TempDir config, out, source;
    GltfTestFile file;
    std::string name = "model";
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

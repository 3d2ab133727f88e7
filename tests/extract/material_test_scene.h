#pragma once
// A scene document in a folder of its own, run through material
// extraction as the driver runs it; small image files written beside it.

#include <gtest/gtest.h>

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "host/document/scene_document.h"
#include "host/scene_wrapper.h"
#include "extract/material_extraction.h"
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
    for (int i = 0; i < width * height; ++i) {
        file += static_cast<char>(i & 0xFF);  // blue
        file += static_cast<char>(0x40);
        file += static_cast<char>(0x80);  // red
        file += static_cast<char>(alpha);
    }
    return file;
}

class MaterialTestScene {
public:
    // The document is read as "<folder>/scene.json"; false when it does not load.
    bool Load(const std::string& document) {
        std::string error;
        host = LoadSceneDocumentText(document, folder.file("scene.json"), &error);
        EXPECT_NE(host, nullptr) << error;
        return host != nullptr;
    }

    bool LoadFile(const std::string& path) {
        std::string error;
        host = LoadSceneDocument(path, &error);
        EXPECT_NE(host, nullptr) << error;
        return host != nullptr;
    }

    void Image(const std::string& name, const std::string& bytes) { WriteFile(folder.file(name), bytes); }

    // Extracts the materials of frames start..end.
    bool Extract(int start = 0, int end = 0) {
        if (!host) return false;
        wrapper.InitialiseAll(*host);
        options.frames = Frames(start, end);
        extraction = std::make_unique<Extraction>(scene, *host, wrapper, options, reports.diagnostics, shown.progress);
        return ExtractMaterials(*extraction);
    }

    std::vector<std::string> MaterialNames() const {
        std::vector<std::string> names;
        for (const ExportMaterial& material : scene.materials) names.push_back(material.name);
        return names;
    }

    // The host name behind each material ("" for the default material).
    std::vector<std::string> SourceNames() const {
        std::vector<std::string> names;
        for (const HostMaterial* source : extraction->material_sources) names.push_back(source ? source->Name() : "");
        return names;
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
};

}  // namespace korvo::test

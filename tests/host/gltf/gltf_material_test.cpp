#include <filesystem>

#include "host/gltf/gltf_test.h"
#include "host/memory/memory_texmap.h"

namespace korvo {
namespace {

using test::GltfTest;
using test::ReadFile;
using test::WriteFile;

// One triangle per material, each on a node of its own.
std::string Nodes(test::GltfTestFile& file, int materials) {
    const int positions = file.Floats({0, 0, 0, 1, 0, 0, 0, 1, 0}, "VEC3");
    std::string nodes = "\"nodes\": [", meshes = "\"meshes\": [";
    for (int m = 0; m < materials; ++m) {
        nodes += (m ? "," : "") + std::string("{\"name\": \"N") + std::to_string(m) +
                 "\", \"mesh\": " + std::to_string(m) + "}";
        meshes += (m ? "," : "") + std::string("{\"primitives\": [{\"material\": ") + std::to_string(m) +
                  ", \"attributes\": {\"POSITION\": " + std::to_string(positions) + "}}]}";
    }
    return nodes + "], " + meshes + "]";
}

constexpr const char* kPng = "\x89PNG\r\n\x1a\n-not-really-an-image";

TEST_F(GltfTest, MaterialsAreKorvoStandardMorpherOrStandard) {
    options.image_folder = dir.file("out/scene_textures");
    const int image = file.View(kPng);
    MemoryScene& host = Load(file.Gltf(Nodes(file, 3) + R"(,
        "materials": [
          {"name": "Body", "extras": {"light_0": 1, "polyMode": 3, "note": 7},
           "emissiveFactor": [0.1, 0.2, 0.3],
           "pbrMetallicRoughness": {"baseColorFactor": [1, 0.5, 0.25, 0.5],
             "baseColorTexture": {"index": 0}}},
          {"name": "Plain", "pbrMetallicRoughness": {"baseColorTexture": {"index": 1}}},
          {"name": "Faces", "extras": {"korvo": {"type": "morpher", "materials": ["Plain", 0]}}}],
        "textures": [{"source": 0, "sampler": 0}, {"source": 0}],
        "samplers": [{"wrapS": 33648, "wrapT": 33071}],
        "images": [{"name": "skin.png", "bufferView": )" +
                                       std::to_string(image) + R"(, "mimeType": "image/png"}])"));

    const MemoryMaterial& body = *Node("N0")->material;
    EXPECT_EQ(body.class_name, "korvo_standard");
    EXPECT_EQ(body.PropertyInt("light_0"), 1);
    EXPECT_EQ(body.PropertyInt("polyMode"), 3);
    EXPECT_EQ(body.PropertyInt("note"), std::nullopt);
    EXPECT_FLOAT_EQ(body.Diffuse(0).g, 0.5f);
    EXPECT_FLOAT_EQ(body.Opacity(0), 0.5f);
    EXPECT_TRUE(body.SelfIllumColorOn());
    EXPECT_FLOAT_EQ(body.SelfIllumColor(0).b, 0.3f);
    EXPECT_EQ(Node("N1")->material->class_name, "standard");
    const MemoryMaterial& faces = *Node("N2")->material;
    EXPECT_EQ(faces.class_name, "korvo_morpher");
    EXPECT_EQ(faces.sub_materials, (std::vector<MemoryMaterial*>{Node("N1")->material, Node("N0")->material}));
    EXPECT_EQ(host.root_materials.size(), 3u);

    // Both textures show the one embedded image, written once.
    const MemoryTexmap& map = *body.diffuse_map;
    const std::string written = std::filesystem::absolute(dir.file("out/scene_textures/skin.png")).string();
    EXPECT_EQ(map.file_name, written);
    EXPECT_EQ(ReadFile(written), kPng);
    EXPECT_EQ(Node("N1")->material->diffuse_map->file_name, written);
    EXPECT_EQ(std::distance(std::filesystem::directory_iterator(dir.file("out/scene_textures")),
                            std::filesystem::directory_iterator()),
              1);
    EXPECT_EQ(map.tiling_flags, UvGenerator::kUMirror);  // mirrored S, clamped T
    EXPECT_EQ(Node("N1")->material->diffuse_map->tiling_flags, UvGenerator::kURepeat | UvGenerator::kVRepeat);
}

TEST_F(GltfTest, ExternalImagesAreUsedWhereTheyAreAndMustExist) {
    WriteFile(dir.file("tex one.png"), kPng);
    const std::string body = Nodes(file, 1) + R"(,
        "materials": [{"pbrMetallicRoughness": {"baseColorTexture": {"index": 0}}}],
        "textures": [{"source": 0}], "images": [{"uri": "tex%20one.png"}])";
    Load(file.Gltf(body));
    EXPECT_EQ(Node("N0")->material->diffuse_map->file_name,
              std::filesystem::absolute(dir.file("tex one.png")).string());
    EXPECT_EQ(Node("N0")->material->name, "material_0");

    std::filesystem::remove(dir.file("tex one.png"));
    EXPECT_NE(ErrorOf(file.Gltf(body)).find("textures[0].source: image file \""), std::string::npos) << error;
    EXPECT_NE(error.find("tex one.png\" does not exist"), std::string::npos) << error;
}

TEST_F(GltfTest, MorpherMaterialsMustNameMaterialsThatExist) {
    for (const auto& [materials, expected] : {std::pair{"[\"Gone\"]", "materials[0].extras.korvo.materials[0]: no "
                                                                          "material is named \"Gone\""},
                                              std::pair{"[0]", "refer to themselves"}}) {
        EXPECT_TRUE(test::Contains(ErrorOf(file.Gltf(Nodes(file, 1) + R"(, "materials": [{"extras": {"korvo": )"
                                                                        R"({"type": "morpher", "materials": )" +
                                                     std::string(materials) + "}}}]")),
                                   expected));
    }
}

}  // namespace
}  // namespace korvo

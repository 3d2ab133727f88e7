// A textured quad with KHR_texture_transform, as the model file writes it.

#include <set>
#include <string_view>

#include "host/gltf/gltf_test.h"

namespace korvo {
namespace {

using test::BodyChild;
using test::ImdElement;

// A 16 x 8 PNG: the left half red, the right half blue.
constexpr std::string_view kRedBluePng(
    "\x89\x50\x4e\x47\x0d\x0a\x1a\x0a\x00\x00\x00\x0d\x49\x48\x44\x52\x00\x00\x00\x10"
    "\x00\x00\x00\x08\x08\x02\x00\x00\x00\x7f\x14\xe8\xc0\x00\x00\x00\x16\x49\x44\x41"
    "\x54\x78\xda\x63\xf8\xcf\xc0\x80\x15\xe1\x10\xfe\xcf\x30\xaa\x81\x16\x1a\x00\xa5"
    "\x37\x7f\x81\x91\x9b\x35\x55\x00\x00\x00\x00\x49\x45\x4e\x44\xae\x42\x60\x82",
    79);

class GltfTextureExportTest : public test::GltfExportTest {};

TEST_F(GltfTextureExportTest, WritesTheImageAndTheTextureTransform) {
    const int positions = file.Floats({0, 0, 0, 1, 0, 0, 1, 1, 0, 0, 1, 0}, "VEC3");
    const int uvs = file.Floats({0, 0, 1, 0, 1, 1, 0, 1}, "VEC2");
    const int indices = file.Ushorts({0, 1, 2, 0, 2, 3});
    const int image = file.View(std::string(kRedBluePng));
    // S mirrored, T clamped (33648 MIRRORED_REPEAT, 33071 CLAMP_TO_EDGE).
    ExportMade(R"("extensionsUsed": ["KHR_texture_transform"],
        "nodes": [{"name": "Quad", "mesh": 0}],
        "meshes": [{"primitives": [{"material": 0, "indices": )" +
               std::to_string(indices) + R"(, "attributes": {"POSITION": )" + std::to_string(positions) +
               R"(, "TEXCOORD_0": )" + std::to_string(uvs) + R"(}}]}],
        "materials": [{"name": "Checker", "extras": {"light_0": 1},
            "pbrMetallicRoughness": {"baseColorTexture": {"index": 0, "extensions": {"KHR_texture_transform":
                {"offset": [0.25, 0.5], "rotation": 1.5707963267948966, "scale": [2, 3]}}}}}],
        "samplers": [{"wrapS": 33648, "wrapT": 33071}],
        "textures": [{"source": 0, "sampler": 0}],
        "images": [{"name": "checker", "bufferView": )" +
               std::to_string(image) + R"(, "mimeType": "image/png"}])");
    const ImdElement imd = ReadBack("imd");

    // Two opaque colours: palette4, blue (darker) first; each row is eight
    // red texels (index 1, two bits each) then eight blue ones.
    const ImdElement* texture = BodyChild(imd, "tex_image_array").Child("tex_image");
    ASSERT_NE(texture, nullptr);
    EXPECT_EQ(texture->attributes, (decltype(ImdElement::attributes){
                                       {"index", "0"},
                                       {"name", "checker"},
                                       {"width", "16"},
                                       {"height", "8"},
                                       {"original_width", "16"},
                                       {"original_height", "8"},
                                       {"format", "palette4"},
                                       {"color0_mode", "color"},
                                       {"palette_name", "checker_pl"},
                                       {"path", out.file("model_textures/checker.png")},
                                   }));
    const std::string four_rows = "\n\t\t\t5555 0000 5555 0000 5555 0000 5555 0000";
    EXPECT_EQ(texture->Child("bitmap")->Attribute("size"), "16");
    EXPECT_EQ(texture->Child("bitmap")->text, four_rows + four_rows + "\n\t\t");
    const ImdElement* palette = BodyChild(imd, "tex_palette_array").Child("tex_palette");
    ASSERT_NE(palette, nullptr);
    EXPECT_EQ(palette->text, "\n\t\t7c00 001f 7fff 7fff 7fff 7fff 7fff 7fff\n\t");

    // The host's map: U tiling 2, V tiling 3, W angle pi/2, U offset
    // 0.25 + 3 sin(pi/2) = 3.25, V offset 1 - 0.5 - 3 cos(pi/2) = 0.5. The
    // mirrored S axis then takes 0.25 / 2 off the offset and doubles the
    // tiling; the rotation is written in degrees with its sign turned.
    const ImdElement* material = BodyChild(imd, "material_array").Child("material");
    ASSERT_NE(material, nullptr);
    EXPECT_EQ(material->Attribute("tex_image_idx"), "0");
    EXPECT_EQ(material->Attribute("tex_palette_idx"), "0");
    EXPECT_EQ(material->Attribute("tex_tiling"), "flip clamp");
    EXPECT_EQ(material->Attribute("tex_scale"), "4.000000 3.000000");
    EXPECT_EQ(material->Attribute("tex_rotate"), "-90.000000");
    EXPECT_EQ(material->Attribute("tex_translate"), "3.125000 0.500000");
    EXPECT_EQ(material->Attribute("tex_gen_mode"), "tex");

    // Texel coordinates with the host's origin at the bottom left: glTF
    // (u, v) is (16 u, 8 (1 - v)).
    std::set<std::string> texels;
    const ImdElement* polygon = BodyChild(imd, "polygon_array").Child("polygon");
    ASSERT_NE(polygon, nullptr);
    EXPECT_EQ(polygon->Attribute("tex_flag"), "on");
    for (const ImdElement* group : polygon->Children("mtx_prim")) {
        for (const ImdElement* primitive : group->Child("primitive_array")->Children("primitive")) {
            for (const ImdElement* command : primitive->Children("tex")) texels.insert(command->Attribute("st"));
        }
    }
    EXPECT_EQ(texels, (std::set<std::string>{"0.000000 8.000000", "16.000000 8.000000", "16.000000 0.000000",
                                             "0.000000 0.000000"}));
}

}  // namespace
}  // namespace korvo

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "core/export_scene.h"
#include "support/reports.h"
#include "support/test_support.h"
#include "writers/polygon_section.h"

namespace korvo {
namespace {

// Every index of a corner (position, colour, texture coordinate, normal)
// is the same unless a test sets it.
NTriFace Tri(uint16_t a, uint16_t b, uint16_t c) {
    NTriFace face;
    face.position = face.color = face.tex = face.normal = {a, b, c};
    return face;
}

NQuadFace Quad(uint16_t a, uint16_t b, uint16_t c, uint16_t d) {
    NQuadFace face;
    face.position = face.color = face.tex = face.normal = {a, b, c, d};
    return face;
}

ExportMaterial Material(const std::string& name, bool lights_enabled) {
    ExportMaterial material;
    material.name = name;
    material.lights_enabled = lights_enabled;
    return material;
}

ExportPolygon Polygon(const std::string& name, std::size_t positions) {
    ExportPolygon polygon;
    polygon.name = name;
    polygon.material = "mat";
    polygon.positions.resize(positions);
    polygon.volume_min = {-1.0f, -1.0f, -1.0f};
    polygon.volume_max = {1.0f, 1.0f, 1.0f};
    polygon.volume_r = 1.732051f;
    return polygon;
}

std::string Head(int index, const std::string& name, int vertices, int triangles, int quads, int groups,
                 const std::string& flags) {
    const auto n = [](int value) { return std::to_string(value); };
    return "\t<polygon index=\"" + n(index) + "\" name=\"" + name + "\"\n" +  //
           "\t\tvertex_size=\"" + n(vertices) + "\" polygon_size=\"" + n(triangles + quads) + "\"\n" +
           "\t\ttriangle_size=\"" + n(triangles) + "\" quad_size=\"" + n(quads) + "\"\n" +
           "\t\tvolume_min=\"-1.000000 -1.000000 -1.000000\"\n"
           "\t\tvolume_max=\"1.000000 1.000000 1.000000\"\n"
           "\t\tvolume_r=\"1.731934\"\n"
           "\t\tmtx_prim_size=\"" +
           n(groups) + "\"\n" + "\t\t" + flags + "\n\t>\n";
}

const char* const kOff = "nrm_flag=\"off\" clr_flag=\"off\" tex_flag=\"off\"";

std::string GroupHead(int index, const std::string& matrices, int matrix_count, int primitives) {
    return "\t\t<mtx_prim index=\"" + std::to_string(index) + "\">\n" + "\t\t\t<mtx_list size=\"" +
           std::to_string(matrix_count) + "\">" + matrices + "</mtx_list>\n" + "\t\t\t<primitive_array size=\"" +
           std::to_string(primitives) + "\">\n";
}

const char* const kGroupEnd = "\t\t\t</primitive_array>\n\t\t</mtx_prim>\n\t</polygon>\n";

std::string PrimitiveText(int index, const std::string& type, int vertices, const std::string& commands) {
    return "\t\t\t\t<primitive index=\"" + std::to_string(index) + "\" type=\"" + type + "\" vertex_size=\"" +
           std::to_string(vertices) + "\">\n" + commands + "\t\t\t\t</primitive>\n";
}

std::string Cmd(const std::string& command) { return "\t\t\t\t\t" + command + "\n"; }
std::string PosIdx(int index) { return Cmd("<pos_idx idx=\"" + std::to_string(index) + "\"/>"); }
std::string Mtx(int index) { return Cmd("<mtx idx=\"" + std::to_string(index) + "\"/>"); }

std::string Array(int size, const std::string& polygons) {
    return "\n<polygon_array size=\"" + std::to_string(size) + "\">\n" + polygons + "</polygon_array>\n";
}

struct SectionRun {
    ExportScene scene;
    VertexStyle style = VertexStyle::Direct;
    ModelLayout layout;  // materials without an image of their own have none
    ModelTotals totals;
    test::Reports reports;
    Progress progress;

    SectionRun() { scene.materials = {Material("mat", 0)}; }

    // A rigid polygon drawn by the matrix, every face on its own.
    PolygonLayout& Add(const ExportPolygon& polygon, int32_t matrix) {
        scene.polygons.push_back(polygon);
        layout.polygons.push_back(
            {0, 0, {matrix}, std::vector<int32_t>(polygon.positions.size(), matrix), SeparateFacesPlan(polygon)});
        return layout.polygons.back();
    }

    std::string Write() {
        layout.material_images.resize(scene.materials.size(), -1);
        TextWriter out;
        WritePolygonSection(out, scene, layout, style, totals, reports.diagnostics, progress);
        return out.text();
    }
};

TEST(PolygonSectionTest, ARigidPolygonIsOneGroupWithEveryPositionEncoding) {
    SectionRun run;
    run.scene.pos_scale = 1;
    ExportPolygon box = Polygon("box", 0);
    box.positions = {{0.25f, 0.5f, -1.0f}, {0.25f, 0.5f, -0.9f},  {0.25f, 1.5f, 0.5f},  {1.0f, 1.5f, 2.0f},
                     {0.2f, 0.5f, -1.0f},  {-1.0f, 3.0f, -1.0f}, {2.0f, 2.0f, 2.0f}, {2.0625f, 2.0f, 1.9375f}};
    box.volume_min = {-2.0f, -1.0f, -3.0f};
    box.volume_max = {4.0f, 6.0f, 4.5f};
    box.volume_r = 3.0001f;
    box.quads = {Quad(0, 1, 2, 3), Quad(4, 5, 6, 7)};
    run.Add(box, 3);

    EXPECT_EQ(run.Write(),
              Array(1, "\t<polygon index=\"0\" name=\"box\"\n"
                       "\t\tvertex_size=\"8\" polygon_size=\"2\"\n"
                       "\t\ttriangle_size=\"0\" quad_size=\"2\"\n"
                       "\t\tvolume_min=\"-1.000000 -0.500000 -1.500000\"\n"
                       "\t\tvolume_max=\"2.000000 3.000000 2.250000\"\n"
                       "\t\tvolume_r=\"1.500000\"\n"
                       "\t\tmtx_prim_size=\"1\"\n"
                       "\t\tnrm_flag=\"off\" clr_flag=\"off\" tex_flag=\"off\"\n"
                       "\t>\n"
                       "\t\t<mtx_prim index=\"0\">\n"
                       "\t\t\t<mtx_list size=\"1\">3</mtx_list>\n"
                       "\t\t\t<primitive_array size=\"1\">\n"
                       "\t\t\t\t<primitive index=\"0\" type=\"quads\" vertex_size=\"8\">\n"
                       "\t\t\t\t\t<mtx idx=\"0\"/>\n"
                       "\t\t\t\t\t<pos_s xyz=\"0.250000 0.500000 -1.000000\"/>\n"
                       "\t\t\t\t\t<pos_diff xyz=\"0.000000 0.000000 0.100000\"/>\n"
                       "\t\t\t\t\t<pos_yz yz=\"1.500000 0.500000\"/>\n"
                       "\t\t\t\t\t<pos_xz xz=\"1.000000 2.000000\"/>\n"
                       "\t\t\t\t\t<pos_xyz xyz=\"0.200000 0.500000 -1.000000\"/>\n"
                       "\t\t\t\t\t<pos_xy xy=\"-1.000000 3.000000\"/>\n"
                       "\t\t\t\t\t<pos_xyz xyz=\"2.000000 2.000000 2.000000\"/>\n"
                       "\t\t\t\t\t<pos_diff xyz=\"0.062500 0.000000 -0.062500\"/>\n"
                       "\t\t\t\t</primitive>\n"
                       "\t\t\t</primitive_array>\n"
                       "\t\t</mtx_prim>\n"
                       "\t</polygon>\n"));
    EXPECT_EQ(run.totals.vertices, 8);
    EXPECT_EQ(run.totals.quads, 2);
    EXPECT_TRUE(run.reports.all.empty());
}

TEST(PolygonSectionTest, IndexStyleListsOffsetPositionsAndColoursAndSkipRemovedPolygons) {
    SectionRun run;
    run.style = VertexStyle::Index;
    ExportPolygon gone = Polygon("gone", 3);
    gone.triangles = {Tri(0, 1, 2)};
    gone.removed = true;
    ExportPolygon pair = Polygon("pair", 4);
    pair.colors.assign(3, VertexColor{});
    pair.triangles = {Tri(0, 1, 2), Tri(2, 1, 3)};
    pair.triangles[0].color = {0, 0, 1};
    pair.triangles[1].color = {1, 2, 2};
    ExportPolygon fan = Polygon("fan", 7);
    fan.colors.resize(1);
    for (uint16_t i = 0; i < 5; ++i) {
        fan.triangles.push_back(Tri(i, i + 1, i + 2));
        fan.triangles.back().color = {0, 0, 0};
    }
    run.Add(gone, 0);
    PolygonLayout& pair_layout = run.Add(pair, 0);
    pair_layout.position_base = 10;
    pair_layout.color_base = 5;
    PolygonLayout& fan_layout = run.Add(fan, 1);
    fan_layout.position_base = 14;
    fan_layout.color_base = 7;  // the same index as pair's last: written again for a new polygon

    std::string fan_vertices = Mtx(0) + Cmd("<clr_idx idx=\"7\"/>") + PosIdx(14);
    for (int i : {15, 16, 15, 16, 17, 16, 17, 18, 17, 18, 19, 18, 19, 20}) fan_vertices += PosIdx(i);
    const std::string on = "nrm_flag=\"off\" clr_flag=\"on\" tex_flag=\"off\"";
    EXPECT_EQ(run.Write(), Array(2, Head(0, "pair", 6, 2, 0, 1, on) + GroupHead(0, "0", 1, 1) +
                                        PrimitiveText(0, "triangles", 6,
                                                  Mtx(0) + Cmd("<clr_idx idx=\"5\"/>") + PosIdx(10) + PosIdx(11) +
                                                      Cmd("<clr_idx idx=\"6\"/>") + PosIdx(12) + PosIdx(12) +
                                                      Cmd("<clr_idx idx=\"7\"/>") + PosIdx(11) + PosIdx(13)) +
                                        kGroupEnd + Head(1, "fan", 15, 5, 0, 1, on) + GroupHead(0, "1", 1, 1) +
                                        PrimitiveText(0, "triangles", 15, fan_vertices) + kGroupEnd));
    EXPECT_EQ(run.totals.vertices, 21);
    EXPECT_EQ(run.totals.triangles, 7);
}

TEST(PolygonSectionTest, StripsAreWrittenBeforeSeparateFacesInStripOrder) {
    SectionRun run;
    run.style = VertexStyle::Index;
    ExportPolygon strips = Polygon("strips", 15);
    // A separate triangle, then a triangle strip over positions 0-5.
    strips.triangles = {Tri(6, 7, 8), Tri(0, 1, 2), Tri(2, 1, 3), Tri(2, 3, 4), Tri(4, 3, 5)};
    // A quad strip over positions 9-14: corners 0, 1, 3, 2, then 3, 2.
    strips.quads = {Quad(9, 10, 12, 11), Quad(11, 12, 14, 13)};
    // The plan's order does not matter: strips go first, quads first.
    run.Add(strips, 2).plan = {{PrimitiveKind::Triangles, {0}},
                               {PrimitiveKind::TriangleStrip, {1, 2, 3, 4}},
                               {PrimitiveKind::QuadStrip, {0, 1}}};

    std::string quad_strip = Mtx(0), triangle_strip, triangles;
    for (int i = 9; i < 15; ++i) quad_strip += PosIdx(i);
    for (int i = 0; i < 6; ++i) triangle_strip += PosIdx(i);
    for (int i = 6; i < 9; ++i) triangles += PosIdx(i);
    EXPECT_EQ(run.Write(), Array(1, Head(0, "strips", 15, 5, 2, 1, kOff) + GroupHead(0, "2", 1, 3) +
                                        PrimitiveText(0, "quad_strip", 6, quad_strip) +
                                        PrimitiveText(1, "triangle_strip", 6, triangle_strip) +
                                        PrimitiveText(2, "triangles", 3, triangles) + kGroupEnd));
    EXPECT_EQ(run.totals.vertices, 15);
}

TEST(PolygonSectionTest, FortyMatricesNeedTwoGroups) {
    SectionRun run;
    run.style = VertexStyle::Index;
    ExportPolygon skinned = Polygon("skinned", 40);
    skinned.skin.resize(40);
    std::vector<int32_t> matrices;
    for (int i = 0; i < 40; ++i) matrices.push_back(i * 7 % 40);
    for (uint16_t q = 0; q < 10; ++q) {
        const auto b = static_cast<uint16_t>(4 * q);
        skinned.quads.push_back(Quad(b, b + 1, b + 2, b + 3));
    }
    run.Add(skinned, 0).position_matrices = matrices;

    // Seven quads fill 28 matrices; the eighth would make 32.
    std::string expected = Head(0, "skinned", 40, 0, 10, 2, kOff);
    for (int group = 0; group < 2; ++group) {
        const int first = group == 0 ? 0 : 28;
        const int count = group == 0 ? 28 : 12;
        std::string matrices, vertices;
        for (int j = 0; j < count; ++j) {
            matrices += (j ? " " : "") + std::to_string((first + j) * 7 % 40);
            vertices += Mtx(j) + PosIdx(first + j);
        }
        expected += GroupHead(group, matrices, count, 1) + PrimitiveText(0, "quads", count, vertices) +
                    "\t\t\t</primitive_array>\n\t\t</mtx_prim>\n";
    }
    expected += "\t</polygon>\n";
    EXPECT_EQ(run.Write(), Array(1, expected));
    EXPECT_EQ(run.reports.Warnings(), std::vector<std::string>{"Warning: Mtx_prim_size of <polygon> is over 1"});
}

TEST(PolygonSectionTest, DirectColoursAreFiveBitAndRepeatsAreLeftOut) {
    SectionRun run;
    ExportPolygon a = Polygon("a", 3);
    a.colors = {{255, 128, 7}, {250, 130, 0}, {8, 16, 24}};
    a.triangles = {Tri(0, 1, 2)};
    ExportPolygon b = Polygon("b", 1);
    b.colors = {{255, 128, 7}};
    b.triangles = {Tri(0, 0, 0)};
    run.Add(a, 0);
    run.Add(b, 0);

    const std::string origin = Cmd("<pos_s xyz=\"0.000000 0.000000 0.000000\"/>");
    const std::string same = Cmd("<pos_diff xyz=\"0.000000 0.000000 0.000000\"/>");
    const std::string on = "nrm_flag=\"off\" clr_flag=\"on\" tex_flag=\"off\"";
    const std::string first = Cmd("<clr rgb=\"31 16 0\"/>");
    EXPECT_EQ(run.Write(),
              Array(2, Head(0, "a", 3, 1, 0, 1, on) + GroupHead(0, "0", 1, 1) +
                           PrimitiveText(0, "triangles", 3,
                                     Mtx(0) + first + origin + same + Cmd("<clr rgb=\"1 2 3\"/>") + same) +
                           kGroupEnd + Head(1, "b", 3, 1, 0, 1, on) + GroupHead(0, "0", 1, 1) +
                           PrimitiveText(0, "triangles", 3, Mtx(0) + first + origin + same + same) + kGroupEnd));
}

TEST(PolygonSectionTest, NormalsAreNormalisedClampedAndRepeatedOnlyAfterAMatrixSwitch) {
    SectionRun run;
    run.style = VertexStyle::Index;
    run.scene.materials = {Material("mat", 1)};
    ExportPolygon n = Polygon("n", 3);
    n.skin.resize(3);
    n.colors.resize(3);  // not written while lights are on
    n.normals = {{0, 0, 1}, {0, 0, 2}, {0.0009f, 0, 1}, {-2, 0, 0}, {0.6f, 0.8f, 0}};
    n.triangles = {Tri(0, 1, 2), Tri(1, 2, 2)};
    n.triangles[1].normal = {3, 4, 4};
    run.Add(n, 0).position_matrices = {4, 6, 6};

    const std::string up = Cmd("<nrm xyz=\"0.000000 0.000000 0.998047\"/>");
    EXPECT_EQ(run.Write(),
              Array(1, Head(0, "n", 6, 2, 0, 1, "nrm_flag=\"on\" clr_flag=\"on\" tex_flag=\"off\"") +
                           GroupHead(0, "4 6", 2, 1) +
                           PrimitiveText(0, "triangles", 6,
                                         Mtx(0) + up + PosIdx(0) + Mtx(1) + up + PosIdx(1) + PosIdx(2) +
                                             Cmd("<nrm xyz=\"-1.000000 0.000000 0.000000\"/>") + PosIdx(1) +
                                             Cmd("<nrm xyz=\"0.600000 0.800000 0.000000\"/>") + PosIdx(2) + PosIdx(2)) +
                           kGroupEnd));
}

TEST(PolygonSectionTest, TextureCoordinatesAreTexelsAndWarnOncePerPolygonOutOfRange) {
    SectionRun run;
    run.style = VertexStyle::Index;
    ExportMaterial material = Material("mat", 0);
    material.texture_path = "brick.tga";
    material.texture_frame_count = 1;
    run.scene.materials = {material};
    run.layout.material_images = {0};
    ExportTexture texture;
    texture.original_width = 2048;
    texture.original_height = 512;
    run.scene.textures = {texture};
    ExportPolygon a = Polygon("a", 3);
    a.tex_coords = {{0.5f, 0.25f}, {1.0f, 0.5f}, {1.0f, -5.0f}};
    a.triangles = {Tri(0, 1, 2)};
    ExportPolygon b = Polygon("b", 1);
    b.tex_coords = {{-1.5f, 0.0f}};
    b.triangles = {Tri(0, 0, 0)};
    run.Add(a, 0);
    run.Add(b, 0);

    const std::string on = "nrm_flag=\"off\" clr_flag=\"off\" tex_flag=\"on\"";
    const std::string b_vertex = Cmd("<tex st=\"-3072.000000 0.000000\"/>") + PosIdx(0);
    EXPECT_EQ(run.Write(), Array(2, Head(0, "a", 3, 1, 0, 1, on) + GroupHead(0, "0", 1, 1) +
                                        PrimitiveText(0, "triangles", 3,
                                                  Mtx(0) + Cmd("<tex st=\"1024.000000 128.000000\"/>") + PosIdx(0) +
                                                      Cmd("<tex st=\"2048.000000 256.000000\"/>") + PosIdx(1) +
                                                      Cmd("<tex st=\"2048.000000 -2560.000000\"/>") + PosIdx(2)) +
                                        kGroupEnd + Head(1, "b", 3, 1, 0, 1, on) + GroupHead(0, "0", 1, 1) +
                                        PrimitiveText(0, "triangles", 3, Mtx(0) + b_vertex + b_vertex + b_vertex) +
                                        kGroupEnd));
    EXPECT_EQ(run.reports.Warnings(), (std::vector<std::string>{
                                          "Warning: UV range over. a (mat) 2048.000000, 256.000000",
                                          "Warning: UV range over. b (mat) -3072.000000, 0.000000",
                                      }));
}

TEST(PolygonSectionTest, NormalGeneratedTexturesResendTheNormalWithEachNewCoordinate) {
    SectionRun run;
    run.style = VertexStyle::Index;
    ExportTexture texture;
    texture.original_width = texture.original_height = 64;
    run.scene.textures = {texture};
    run.scene.materials.clear();
    for (auto [name, st_source] :
         {std::pair{"gen", TexGenSource::Polygon}, {"frommat", TexGenSource::Material}}) {
        ExportMaterial material = Material(name, 1);
        material.texture_path = "t.tga";
        material.texture_frame_count = 1;
        material.tex_gen_mode = TexGenMode::Nrm;
        material.tex_gen_st_src = st_source;
        run.scene.materials.push_back(material);
        run.layout.material_images.push_back(0);
        ExportPolygon polygon = Polygon(name, 1);
        polygon.material = name;
        polygon.tex_coords = {{0.5f, 0.5f}, {0.25f, 0.5f}};
        polygon.normals = {{0, 0, 1}};
        polygon.triangles = {Tri(0, 0, 0)};
        polygon.triangles[0].tex = {0, 0, 1};
        run.Add(polygon, 0);
    }

    const std::string up = Cmd("<nrm xyz=\"0.000000 0.000000 0.998047\"/>");
    const std::string st = Cmd("<tex st=\"32.000000 32.000000\"/>");
    EXPECT_EQ(run.Write(),
              Array(2, Head(0, "gen", 3, 1, 0, 1, "nrm_flag=\"on\" clr_flag=\"off\" tex_flag=\"on\"") +
                           GroupHead(0, "0", 1, 1) +
                           PrimitiveText(0, "triangles", 3,
                                     Mtx(0) + st + up + PosIdx(0) + st + PosIdx(0) +
                                         Cmd("<tex st=\"16.000000 32.000000\"/>") + up + PosIdx(0)) +
                           kGroupEnd +
                           Head(1, "frommat", 3, 1, 0, 1, "nrm_flag=\"on\" clr_flag=\"off\" tex_flag=\"off\"") +
                           GroupHead(0, "0", 1, 1) +
                           PrimitiveText(0, "triangles", 3, Mtx(0) + up + PosIdx(0) + PosIdx(0) + PosIdx(0)) +
                           kGroupEnd));
}

TEST(PolygonSectionTest, FlagsFollowTheMaterialAndTheLists) {
    struct Case {
        int32_t lights, image, frames, gen_mode, st_src;
        bool colors, tex_coords;
        const char *nrm, *clr, *tex;
    };
    // Coordinates count with an image of at least one frame, unless "pos"
    // generation takes them from the material.
    const Case cases[] = {
        {0, -1, 0, 0, 0, false, false, "off", "off", "off"}, {1, -1, 0, 0, 0, true, false, "on", "on", "off"},
        {0, 0, 1, 0, 0, false, true, "off", "off", "on"},    {0, 0, 1, 0, 0, false, false, "off", "off", "off"},
        {0, -1, 1, 0, 0, false, true, "off", "off", "off"},  {0, 0, 0, 0, 0, false, true, "off", "off", "off"},
        {0, 0, 1, 3, 1, false, true, "off", "off", "off"},   {0, 0, 1, 3, 0, false, true, "off", "off", "on"},
        {0, 0, 1, 1, 1, false, true, "off", "off", "on"},
    };
    for (const Case& c : cases) {
        SectionRun run;
        ExportMaterial& material = run.scene.materials[0];
        material.lights_enabled = c.lights;
        run.layout.material_images = {c.image};
        material.texture_frame_count = c.frames;
        material.tex_gen_mode = static_cast<TexGenMode>(c.gen_mode);
        material.tex_gen_st_src = static_cast<TexGenSource>(c.st_src);
        ExportPolygon polygon = Polygon("p", 1);
        if (c.colors) polygon.colors.resize(1);
        if (c.tex_coords) polygon.tex_coords.resize(1);
        polygon.triangles = {Tri(0, 0, 0)};
        run.Add(polygon, 0);
        const std::string flags = std::string("nrm_flag=\"") + c.nrm + "\" clr_flag=\"" + c.clr + "\" tex_flag=\"" +
                                  c.tex + "\"\n";
        EXPECT_NE(run.Write().find(flags), std::string::npos) << flags;
    }
}

TEST(PolygonSectionTest, NearZeroNormalsAreReportedByPolygonAndRemovedPolygonsOnlyChecked) {
    SectionRun run;
    run.scene.materials = {Material("mat", 1)};
    ExportPolygon z = Polygon("z", 1);
    z.normals = {{0, 0, 0}, {0.0004f, -0.0004f, 0.0004f}};
    z.triangles = {Tri(0, 0, 0)};
    ExportPolygon y = Polygon("y", 1);
    y.normals = {{0.0005f, 0, 0}};
    ExportPolygon gone = z;
    gone.removed = true;  // a removed polygon is not checked
    run.Add(z, 0);
    run.Add(y, 0);
    run.Add(gone, 0);
    // A zero normal cannot be normalised: it is sent as it is.
    EXPECT_TRUE(test::Contains(run.Write(), "<nrm xyz=\"0.000000 0.000000 0.000000\"/>"));
    EXPECT_EQ(run.reports.Warnings(), std::vector<std::string>(2, "Warning: Zero normals exist z"));

    // With every polygon removed nothing is written, but the totals are checked.
    SectionRun removed;
    removed.Add(gone, 0);
    removed.totals.vertices = 7000;
    EXPECT_EQ(removed.Write(), "");
    EXPECT_EQ(removed.reports.Warnings(),
              std::vector<std::string>{"Warning: Total vertex size over: 7000 Vertices (Max 6144)"});
}

}  // namespace
}  // namespace korvo

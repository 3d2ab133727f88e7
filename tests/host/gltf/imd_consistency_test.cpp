// The test reader and the model cross-checks on a hand-written model, on
// broken copies of it, and on random and truncated text.

#include <gtest/gtest.h>

#include <random>

#include "host/gltf/imd_consistency.h"

namespace korvo {
namespace {

using test::ImdElement;
using test::ReadImd;

// Two nodes, one skinned triangle with a blended vertex, one texture.
constexpr const char* kModel = R"(<?xml version="1.0" encoding="Shift_JIS"?>
<imd version="1.6.0">
<body>
<model_info pos_scale="0" node_size="2 2" material_size="1 1"/>
<box_test pos_scale="0" xyz="0 0 0" whd="1 1 0"/>
<vtx_pos_data pos_size="3">
	0.000000 0.000000 0.000000
	1.000000 0.000000 0.000000
	0.000000 1.000000 0.000000
</vtx_pos_data>
<tex_image_array size="1">
	<tex_image index="0" name="t"
		width="8" height="8" original_width="8" original_height="8"
		format="palette4"
		palette_name="t_pl"
	>
		<bitmap size="8">
			0000 0000 0000 0000 0000 0000 0000 0000
		</bitmap>
	</tex_image>
</tex_image_array>
<tex_palette_array size="1">
	<tex_palette index="0" name="t_pl" color_size="8">
		001f 7fff 7fff 7fff 7fff 7fff 7fff 7fff
	</tex_palette>
</tex_palette_array>
<material_array size="1">
	<material index="0" name="m"
		tex_image_idx="0" tex_palette_idx="0"
	/>
</material_array>
<envelope>
	<weight size="2">
		25 75 
	</weight>
	<node_idx size="2">
		0 1 
	</node_idx>
</envelope>
<matrix_array size="3">
	<matrix index="0" mtx_weight="2" envelope_head="0"/>
	<matrix index="1" mtx_weight="1" node_idx="0"/>
	<matrix index="2" mtx_weight="1" node_idx="1"/>
</matrix_array>
<polygon_array size="1">
	<polygon index="0" name="p"
		vertex_size="3" polygon_size="1"
		triangle_size="1" quad_size="0"
		mtx_prim_size="1"
	>
		<mtx_prim index="0">
			<mtx_list size="2">1 0</mtx_list>
			<primitive_array size="1">
				<primitive index="0" type="triangles" vertex_size="3">
					<mtx idx="0"/>
					<pos_idx idx="0"/>
					<pos_idx idx="1"/>
					<mtx idx="1"/>
					<pos_idx idx="2"/>
				</primitive>
			</primitive_array>
		</mtx_prim>
	</polygon>
</polygon_array>
<node_array size="2">
	<node index="0" name="a" kind="joint"
		parent="-1" child="1" brother_next="-1" brother_prev="-1"
		display_size="0"
	>
	</node>
	<node index="1" name="b" kind="mesh"
		parent="0" child="-1" brother_next="-1" brother_prev="-1"
		display_size="1"
		vertex_size="3" polygon_size="1"
		triangle_size="1" quad_size="0"
	>
		<display index="0" material="0" polygon="0" priority="0"/>
	</node>
</node_array>
<output_info vertex_size="3" polygon_size="1"
	triangle_size="1" quad_size="0"/>
</body>
</imd>
)";

std::vector<std::string> ProblemsOf(const std::string& text) {
    std::string error;
    const std::optional<ImdElement> imd = ReadImd(text, &error);
    if (!imd) return {error};
    return test::ImdProblems(*imd);
}

TEST(ImdReaderTest, ReadsElementsAttributesAndText) {
    std::string error;
    const std::optional<ImdElement> root = ReadImd(
        "<?xml version=\"1.0\"?>\n<isd>\n<camera\n\tperspective fovy=\"45.0\"\n\tm=\"1 2\n\t  3 4\"\n/>\n"
        "<light>\n\t<light0 color=\"31 15 0\"/>\n</light>\n</isd>\n",
        &error);
    ASSERT_TRUE(root) << error;
    EXPECT_EQ(root->name, "isd");
    ASSERT_EQ(root->children.size(), 2u);
    const ImdElement& camera = root->children[0];
    EXPECT_EQ(camera.line, 3);
    EXPECT_EQ(camera.Attribute("perspective fovy"), "45.0");
    EXPECT_EQ(camera.Numbers("m"), (std::vector<double>{1, 2, 3, 4}));
    EXPECT_EQ(root->Child("light")->Child("light0")->Attribute("color"), "31 15 0");
    EXPECT_EQ(root->Child("light")->Child("light0")->Int("color"), std::nullopt);

    EXPECT_FALSE(ReadImd("<a>\n<b>\n</a>\n", &error));
    EXPECT_EQ(error, "line 3: unexpected </a>");
    EXPECT_FALSE(ReadImd("<a x=\"1>", &error));
    EXPECT_FALSE(ReadImd("<a/><b/>", &error));
    EXPECT_EQ(error, "line 1: expected one root element");
}

TEST(ImdConsistencyTest, FindsEveryBrokenLink) {
    ASSERT_EQ(ProblemsOf(kModel), std::vector<std::string>{});
    const std::vector<std::pair<std::string, std::string>> breaks = {
        {"child=\"1\"", "child=\"0\""},
        {"parent=\"0\"", "parent=\"-1\""},
        {"brother_prev=\"-1\"\n\t\tdisplay_size=\"1\"", "brother_prev=\"0\"\n\t\tdisplay_size=\"1\""},
        {"<node_array size=\"2\"", "<node_array size=\"3\""},
        {"display_size=\"1\"", "display_size=\"2\""},
        {"material=\"0\" polygon", "material=\"1\" polygon"},
        {"polygon=\"0\"", "polygon=\"1\""},
        {"<pos_idx idx=\"2\"/>", "<pos_idx idx=\"3\"/>"},
        {"\t\t\t\t\t<pos_idx idx=\"1\"/>\n", ""},
        {"<mtx idx=\"1\"/>", "<mtx idx=\"2\"/>"},
        {"<mtx_list size=\"2\">1 0", "<mtx_list size=\"2\">1 3"},
        {"<mtx_list size=\"2\">", "<mtx_list size=\"3\">"},
        {"quad_size=\"0\"\n\t\tmtx_prim_size", "quad_size=\"1\"\n\t\tmtx_prim_size"},
        {"mtx_prim_size=\"1\"", "mtx_prim_size=\"2\""},
        {"type=\"triangles\"", "type=\"quads\""},
        {"node_idx=\"1\"/>", "node_idx=\"2\"/>"},
        {"envelope_head=\"0\"", "envelope_head=\"1\""},
        {"0 1 \n", "0 2 \n"},
        {"25 75", "25 70"},
        {"<weight size=\"2\">", "<weight size=\"3\">"},
        {"tex_image_idx=\"0\"", "tex_image_idx=\"1\""},
        {"tex_palette_idx=\"0\"", "tex_palette_idx=\"-1\""},
        {"<bitmap size=\"8\">", "<bitmap size=\"16\">"},
        {"palette_name=\"t_pl\"", "palette_name=\"u_pl\""},
        {"<output_info vertex_size=\"3\"", "<output_info vertex_size=\"4\""},
        {"node_size=\"2 2\"", "node_size=\"2 3\""},
        {"<vtx_pos_data pos_size=\"3\">", "<vtx_pos_data pos_size=\"4\">"},
    };
    for (const auto& [from, to] : breaks) {
        std::string broken = kModel;
        const auto at = broken.find(from);
        ASSERT_NE(at, std::string::npos) << from;
        broken.replace(at, from.size(), to);
        EXPECT_FALSE(ProblemsOf(broken).empty()) << from << " -> " << to;
    }
}

TEST(ImdReaderTest, SurvivesRandomAndTruncatedText) {
    std::string error;
    for (std::size_t length = 0; length < std::string(kModel).size(); length += 7) {
        ReadImd(std::string(kModel).substr(0, length), &error);
    }
    std::mt19937 random(17);
    const std::string alphabet = "<>/=\"? !-abc_0129\n\t";
    for (int round = 0; round < 2000; ++round) {
        std::string text;
        const int length = static_cast<int>(random() % 64);
        for (int i = 0; i < length; ++i) text += alphabet[random() % alphabet.size()];
        if (const auto root = ReadImd(text, &error)) test::ImdProblems(*root);
    }
}

}  // namespace
}  // namespace korvo

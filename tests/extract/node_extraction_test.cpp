#include <gtest/gtest.h>

#include "extraction_fixture.h"

namespace korvo {
namespace {

using NodeExtractionTest = test::ExtractionFixture;

// Name cleaning and the order of brothers are tested on their own and
// through a whole export (node_export_test).
TEST_F(NodeExtractionTest, FilterKindsBillboardsAndSuffixesInExtractionOrder) {
    const int32_t first = Add("Box").id = 7;
    const int32_t second = Add("Box").id = 3;
    MemoryNode& group = Add("group");
    group.hidden = true;
    Add("visible", &group, ObjectKind::Mesh);
    Add("hidden_leaf").hidden = true;
    MemoryNode& kept = Add("kept_leaf");
    kept.hidden = true;
    kept.user_properties = "Kvs_no_cut = true";
    MemoryNode& unmarked = Add("unmarked_leaf");
    unmarked.hidden = true;
    unmarked.user_properties = "Kvs_no_cut = false";
    Add("camera_target", nullptr, ObjectKind::Target);
    Add("mesh", nullptr, ObjectKind::Mesh).user_properties = "Kvs_billboard = Y-Billboard";
    Add("bone_object", nullptr, ObjectKind::BoneObject).user_properties = "Kvs_billboard = Billboard";
    Add("bone", nullptr, ObjectKind::Bone).user_properties = "Kvs_billboard = billboard";
    Add("chain", nullptr, ObjectKind::IkChain).user_properties = "Kvs_billboard = Y-billboard";
    Add("light", nullptr, ObjectKind::Light);
    MemoryNode& hidden_bone = Add("hidden_bone", nullptr, ObjectKind::Bone);
    hidden_bone.hidden = true;
    Add("shown", &hidden_bone);
    ASSERT_TRUE(Extract());

    EXPECT_EQ(Names(), (std::vector<std::string>{"Box", "Box_1", "bone", "bone_object", "chain", "group", "visible",
                                                 "hidden_bone", "shown", "kept_leaf", "light", "mesh"}));
    EXPECT_EQ(Node("Box").id, first);
    EXPECT_EQ(Node("Box_1").id, second);
    EXPECT_EQ(Node("group").child, Node("visible").id);
    EXPECT_EQ(Node("visible").parent, Node("group").id);
    EXPECT_TRUE(Node("kept_leaf").no_cut);
    EXPECT_FALSE(Node("group").no_cut);
    // The kind comes from the object unless the node is hidden; billboard
    // words are read exactly.
    std::vector<NodeKind> kinds;
    std::vector<Billboard> billboards;
    for (const char* name : {"mesh", "bone_object", "bone", "chain", "light", "hidden_bone"}) {
        kinds.push_back(Node(name).kind);
        billboards.push_back(Node(name).billboard);
    }
    EXPECT_EQ(kinds, (std::vector<NodeKind>{NodeKind::Mesh, NodeKind::Null, NodeKind::Joint, NodeKind::Chain,
                                            NodeKind::Null, NodeKind::Null}));
    EXPECT_EQ(billboards, (std::vector<Billboard>{Billboard::YOn, Billboard::On, Billboard::Off, Billboard::Off,
                                                  Billboard::Off, Billboard::Off}));
    EXPECT_TRUE(reports.all.empty());
    EXPECT_EQ(shown.texts.back(), "Exporting Nodes (12%)") << "one step of eight";
}

TEST_F(NodeExtractionTest, AnEmptyNameOrNoNodePassingTheFilterStopsTheExport) {
    MemoryNode& parent = Add("parent");
    MemoryNode& unnamed = Add("", &parent);
    EXPECT_FALSE(Extract());
    EXPECT_EQ(reports.Errors(), std::vector<std::string>{"Node Export Error: Node name is empty"});

    parent.kind = unnamed.kind = ObjectKind::Target;
    Add("hidden").hidden = true;
    reports.all.clear();
    scene = {};
    EXPECT_FALSE(Extract());
    EXPECT_EQ(reports.Errors(), std::vector<std::string>{"Node Export Error: No effective node"});
}

}  // namespace
}  // namespace korvo

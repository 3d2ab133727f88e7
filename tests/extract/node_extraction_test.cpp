#include <gtest/gtest.h>

#include "extraction_fixture.h"

namespace korvo {
namespace {

using NodeExtractionTest = test::ExtractionFixture;
using NameList = std::vector<std::string>;

// Name cleaning and the order of brothers are tested on their own and
// through a whole export (node_export_test).
TEST_F(NodeExtractionTest, EqualNamesGetSuffixesInExtractionOrder) {
    const int32_t first = Add("Box").id = 7;
    const int32_t second = Add("Box").id = 3;
    const int32_t third = Add("Box").id = 5;
    ASSERT_TRUE(Extract());
    EXPECT_EQ(Names(), (NameList{"Box", "Box_1", "Box_2"}));
    EXPECT_EQ((std::vector<int32_t>{Node("Box").id, Node("Box_1").id, Node("Box_2").id}),
              (std::vector<int32_t>{first, second, third}));
    EXPECT_TRUE(reports.all.empty());
    EXPECT_EQ(shown.texts.back(), "Exporting Nodes (12%)") << "one step of eight";
}

TEST_F(NodeExtractionTest, FilterKeepsHiddenGroupsAndMarkedNodesButNeverTargets) {
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
    ASSERT_TRUE(Extract());

    EXPECT_EQ(Names(), (NameList{"group", "visible", "kept_leaf"}));
    EXPECT_EQ(Node("group").child, Node("visible").id);
    EXPECT_EQ(Node("visible").parent, Node("group").id);
    EXPECT_TRUE(Node("kept_leaf").no_cut);
    EXPECT_FALSE(Node("group").no_cut);
}

TEST_F(NodeExtractionTest, KindComesFromTheObjectUnlessTheNodeIsHiddenAndBillboardIsReadExactly) {
    Add("mesh", nullptr, ObjectKind::Mesh).user_properties = "Kvs_billboard = Y-Billboard";
    Add("bone_object", nullptr, ObjectKind::BoneObject).user_properties = "Kvs_billboard = Billboard";
    Add("bone", nullptr, ObjectKind::Bone).user_properties = "Kvs_billboard = billboard";
    Add("chain", nullptr, ObjectKind::IkChain).user_properties = "Kvs_billboard = Y-billboard";
    Add("helper", nullptr, ObjectKind::Helper);
    Add("light", nullptr, ObjectKind::Light);
    MemoryNode& hidden_bone = Add("hidden_bone", nullptr, ObjectKind::Bone);
    hidden_bone.hidden = true;
    Add("shown", &hidden_bone);
    ASSERT_TRUE(Extract());

    std::vector<NodeKind> kinds;
    std::vector<Billboard> billboards;
    for (const char* name : {"mesh", "bone_object", "bone", "chain", "helper", "light", "hidden_bone"}) {
        kinds.push_back(Node(name).kind);
        billboards.push_back(Node(name).billboard);
    }
    EXPECT_EQ(kinds, (std::vector<NodeKind>{NodeKind::Mesh, NodeKind::Null, NodeKind::Joint, NodeKind::Chain,
                                            NodeKind::Null, NodeKind::Null, NodeKind::Null}));
    EXPECT_EQ(billboards, (std::vector<Billboard>{Billboard::YOn, Billboard::On, Billboard::Off, Billboard::Off,
                                                  Billboard::Off, Billboard::Off, Billboard::Off}));
}

TEST_F(NodeExtractionTest, AnEmptyNameStopsTheExport) {
    MemoryNode& parent = Add("parent");
    Add("", &parent);
    EXPECT_FALSE(Extract());
    EXPECT_EQ(reports.Errors(), std::vector<std::string>{"Node Export Error: Node name is empty"});
}

TEST_F(NodeExtractionTest, NoNodePassingTheFilterStopsTheExport) {
    Add("hidden").hidden = true;
    Add("target", nullptr, ObjectKind::Target);
    EXPECT_FALSE(Extract());
    EXPECT_EQ(reports.Errors(), std::vector<std::string>{"Node Export Error: No effective node"});
}

}  // namespace
}  // namespace korvo

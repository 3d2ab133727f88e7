#include <gtest/gtest.h>

#include "extraction_fixture.h"

namespace korvo {
namespace {

using NodeExtractionTest = test::ExtractionFixture;
using NameList = std::vector<std::string>;

TEST_F(NodeExtractionTest, EqualNamesGetSuffixesInExtractionOrder) {
    const int32_t first = Add("Box").id = 7;
    const int32_t second = Add("Box").id = 3;
    const int32_t third = Add("Box").id = 5;
    ASSERT_TRUE(Extract());
    EXPECT_EQ(Names(), (NameList{"Box", "Box_1", "Box_2"}));
    EXPECT_EQ(Node("Box").id, first);
    EXPECT_EQ(Node("Box_1").id, second);
    EXPECT_EQ(Node("Box_2").id, third);
    EXPECT_TRUE(scene.messages.empty());
}

TEST_F(NodeExtractionTest, NamesGetOneUnderscorePerForeignByte) {
    Add("left arm.01");
    Add("\xE3\x81\xAF\xE3\x81\x93 1");  // two hiragana, double-byte in the files
    ASSERT_TRUE(Extract());
    EXPECT_EQ(Names(), (NameList{"_____1", "left_arm_01"}));
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
    EXPECT_EQ(Node("group").kind, kNodeNull);
    EXPECT_EQ(Node("group").child, Node("visible").id);
    EXPECT_EQ(Node("visible").parent, Node("group").id);
    EXPECT_EQ(Node("visible").kind, kNodeMesh);
    EXPECT_EQ(Node("kept_leaf").no_cut, 1);
    EXPECT_EQ(Node("group").no_cut, 0);
}

TEST_F(NodeExtractionTest, KindComesFromTheObjectUnlessTheNodeIsHidden) {
    Add("mesh", nullptr, ObjectKind::Mesh);
    Add("bone_object", nullptr, ObjectKind::BoneObject);
    Add("bone", nullptr, ObjectKind::Bone);
    Add("chain", nullptr, ObjectKind::IkChain);
    Add("helper", nullptr, ObjectKind::Helper);
    Add("light", nullptr, ObjectKind::Light);
    MemoryNode& hidden_bone = Add("hidden_bone", nullptr, ObjectKind::Bone);
    hidden_bone.hidden = true;
    Add("shown", &hidden_bone);
    ASSERT_TRUE(Extract());

    EXPECT_EQ(Node("mesh").kind, kNodeMesh);
    EXPECT_EQ(Node("bone_object").kind, kNodeNull);
    EXPECT_EQ(Node("bone").kind, kNodeJoint);
    EXPECT_EQ(Node("chain").kind, kNodeChain);
    EXPECT_EQ(Node("helper").kind, kNodeNull);
    EXPECT_EQ(Node("light").kind, kNodeNull);
    EXPECT_EQ(Node("hidden_bone").kind, kNodeNull);
}

TEST_F(NodeExtractionTest, BrothersAreOrderedByNameEachWithItsSubtree) {
    MemoryNode& b = Add("b");
    Add("b_child", &b);
    Add("a");
    MemoryNode& c = Add("c");
    MemoryNode& c2 = Add("c2", &c);
    Add("c1", &c);
    Add("c2_child", &c2);
    ASSERT_TRUE(Extract());

    EXPECT_EQ(Names(), (NameList{"a", "b", "b_child", "c", "c1", "c2", "c2_child"}));
    const auto id = [&](const char* name) { return Node(name).id; };
    EXPECT_EQ(Node("a").brother_prev, -1);
    EXPECT_EQ(Node("a").brother_next, id("b"));
    EXPECT_EQ(Node("b").brother_next, id("c"));
    EXPECT_EQ(Node("c").brother_prev, id("b"));
    EXPECT_EQ(Node("c").brother_next, -1);
    EXPECT_EQ(Node("c").child, id("c1"));
    EXPECT_EQ(Node("c1").brother_next, id("c2"));
    EXPECT_EQ(Node("c2").brother_prev, id("c1"));
    EXPECT_EQ(Node("c2").child, id("c2_child"));
    EXPECT_EQ(Node("c2_child").parent, id("c2"));
    EXPECT_EQ(Node("b_child").brother_prev, -1);
    EXPECT_EQ(Node("b_child").brother_next, -1);
    EXPECT_EQ(Node("b_child").child, -1);
}

TEST_F(NodeExtractionTest, BillboardIsReadExactly) {
    Add("y_on").user_properties = "Kvs_billboard = Y-Billboard";
    Add("on").user_properties = "Kvs_billboard = Billboard";
    Add("lower").user_properties = "Kvs_billboard = billboard";
    Add("other").user_properties = "Kvs_billboard = Y-billboard";
    Add("none");
    ASSERT_TRUE(Extract());
    EXPECT_EQ(Node("y_on").billboard, kBillboardYOn);
    EXPECT_EQ(Node("on").billboard, kBillboardOn);
    EXPECT_EQ(Node("lower").billboard, kBillboardOff);
    EXPECT_EQ(Node("other").billboard, kBillboardOff);
    EXPECT_EQ(Node("none").billboard, kBillboardOff);
}

TEST_F(NodeExtractionTest, AnEmptyNameStopsTheExport) {
    MemoryNode& parent = Add("parent");
    Add("", &parent);
    EXPECT_FALSE(Extract());
    ASSERT_EQ(feedback.boxes.size(), 1u);
    EXPECT_EQ(feedback.boxes[0].text, "Node name is empty");
    EXPECT_EQ(feedback.boxes[0].caption, "Node Export Error");
    EXPECT_EQ(feedback.boxes[0].style, MessageStyle::Error);
}

TEST_F(NodeExtractionTest, NoNodePassingTheFilterStopsTheExport) {
    Add("hidden").hidden = true;
    Add("target", nullptr, ObjectKind::Target);
    EXPECT_FALSE(Extract());
    ASSERT_EQ(feedback.boxes.size(), 1u);
    EXPECT_EQ(feedback.boxes[0].text, "No effective node");
    EXPECT_EQ(feedback.boxes[0].caption, "Node Export Error");
}

TEST_F(NodeExtractionTest, TheStepEndsWithItsText) {
    Add("a");
    Add("b");
    ASSERT_TRUE(Extract());
    EXPECT_EQ(scene.progress.finished_steps, 1);
    ASSERT_FALSE(feedback.progress_texts.empty());
    EXPECT_EQ(feedback.progress_texts.back().rfind("Exporting Nodes (", 0), 0u);
}

}  // namespace
}  // namespace korvo

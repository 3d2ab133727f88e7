#include "extract/node_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <random>

namespace korvo {
namespace {

struct Shape {
    std::string name;
    int parent;  // index into the shape list, -1 for a root
};

int32_t IdOf(int index) { return index == -1 ? -1 : 100 + index; }

// Records linked as extraction links them: brothers in list order.
std::vector<ExportNode> Build(const std::vector<Shape>& shapes) {
    std::vector<ExportNode> nodes(shapes.size());
    std::vector<int> last_child(shapes.size() + 1, -1);  // per parent, shifted by one for the roots
    for (std::size_t i = 0; i < shapes.size(); ++i) {
        ExportNode& node = nodes[i];
        node.id = IdOf(static_cast<int>(i));
        node.name = shapes[i].name;
        node.parent = IdOf(shapes[i].parent);
        int& last = last_child[shapes[i].parent + 1];
        if (last != -1) {
            nodes[last].brother_next = node.id;
            node.brother_prev = nodes[last].id;
        } else if (shapes[i].parent != -1) {
            nodes[shapes[i].parent].child = node.id;
        }
        last = static_cast<int>(i);
    }
    return nodes;
}

// Each record as name(parent,child,prev,next), with names for ids.
std::string Describe(const std::vector<ExportNode>& nodes) {
    const auto name_of = [&](int32_t id) -> std::string {
        for (const ExportNode& n : nodes) {
            if (n.id == id) return n.name;
        }
        return "-";
    };
    std::string text;
    for (const ExportNode& n : nodes) {
        text += n.name + "(" + name_of(n.parent) + "," + name_of(n.child) + "," + name_of(n.brother_prev) + "," +
                name_of(n.brother_next) + ") ";
    }
    return text;
}

TEST(NodeOrderTest, SortsBrothersByNameAsBytesAndKeepsEachSubtreeBehindItsNode) {
    // b { b2, b1 }, a, c { c1 }
    std::vector<ExportNode> nodes = Build({{"b", -1}, {"b2", 0}, {"b1", 0}, {"a", -1}, {"c", -1}, {"c1", 4}});
    OrderNodes(nodes);
    EXPECT_EQ(Describe(nodes), "a(-,-,-,b) b(-,b1,a,c) b1(b,-,-,b2) b2(b,-,b1,-) c(-,c1,b,-) c1(c,-,-,-) ");
    // Upper case before "_" before lower case; a prefix first.
    nodes = Build({{"a", -1}, {"_x", -1}, {"Z", -1}, {"a_1", -1}, {"A", -1}});
    OrderNodes(nodes);
    EXPECT_EQ(Describe(nodes), "A(-,-,-,Z) Z(-,-,A,_x) _x(-,-,Z,a) a(-,-,_x,a_1) a_1(-,-,a,-) ");
}

TEST(NodeOrderTest, EqualNamesTakeTheExchangeSortsOrder) {
    // Exchange sort on a, a', 0: "0" swaps with the first "a" (0 a' a),
    // and the two "a" never swap, so the second one comes first.
    std::vector<ExportNode> nodes = Build({{"a", -1}, {"a", -1}, {"0", -1}});
    OrderNodes(nodes);
    std::vector<int32_t> ids;
    for (const ExportNode& node : nodes) ids.push_back(node.id);
    EXPECT_EQ(ids, (std::vector<int32_t>{IdOf(2), IdOf(1), IdOf(0)}));
    EXPECT_EQ(nodes[1].brother_prev, IdOf(2));
    EXPECT_EQ(nodes[1].brother_next, IdOf(0));
}

TEST(NodeOrderTest, RandomTreesComeOutInPreOrderOfSortedBrothers) {
    std::mt19937 random(11);
    for (int round = 0; round < 100; ++round) {
        std::vector<Shape> shapes;
        const int count = 1 + static_cast<int>(random() % 30);
        for (int i = 0; i < count; ++i) {
            const int parent = i == 0 || random() % 4 == 0 ? -1 : static_cast<int>(random() % i);
            shapes.push_back({"n" + std::to_string(random() % 1000) + "_" + std::to_string(i), parent});
        }
        std::vector<std::string> expected;
        std::function<void(int)> visit = [&](int parent) {
            std::vector<std::string> names;
            for (const Shape& s : shapes) {
                if (s.parent == parent) names.push_back(s.name);
            }
            std::sort(names.begin(), names.end());
            for (const std::string& name : names) {
                expected.push_back(name);
                const auto at =
                    std::find_if(shapes.begin(), shapes.end(), [&](const Shape& s) { return s.name == name; });
                visit(static_cast<int>(at - shapes.begin()));
            }
        };
        visit(-1);

        std::vector<ExportNode> nodes = Build(shapes);
        OrderNodes(nodes);
        std::vector<std::string> got;
        for (const ExportNode& n : nodes) got.push_back(n.name);
        ASSERT_EQ(got, expected) << "round " << round;
        // The links agree with the order: a node's next brother follows its
        // subtree, its first child follows it.
        for (std::size_t i = 0; i < nodes.size(); ++i) {
            if (nodes[i].child != -1) {
                EXPECT_EQ(nodes[i + 1].id, nodes[i].child);
            }
            for (const ExportNode& m : nodes) {
                if (m.id == nodes[i].brother_next) {
                    EXPECT_LT(nodes[i].name, m.name);
                }
            }
        }
    }
}

}  // namespace
}  // namespace korvo

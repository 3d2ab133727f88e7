#include <gtest/gtest.h>

#include <random>

#include "model_test_scene.h"
#include "optimize/magnification.h"
#include "writers/exchange_sort.h"
#include "writers/matrix_palette.h"
#include "writers/model_lookups.h"
#include "writers/weight_set.h"

namespace korvo {
namespace {

using test::AddNode;
using test::AddPolygon;
using test::ModelText;
using test::Section;
using test::Skin;

const std::vector<Vec3> kTriangle{{0, 0, 0}, {1, 0, 0}, {0, 1, 0}};

TEST(MatrixPaletteTest, WithoutSkinsEveryRigidMeshNodeHasOneMatrixByNodeIndex) {
    ExportScene scene = test::ModelScene();
    AddNode(scene, 10, "a", NodeKind::Mesh);
    AddNode(scene, 20, "bone", NodeKind::Joint);
    AddNode(scene, 30, "c", NodeKind::Mesh);
    AddNode(scene, 40, "emptied", NodeKind::Mesh);
    AddPolygon(scene, 30, "c", kTriangle);
    AddPolygon(scene, 10, "a", kTriangle);
    AddPolygon(scene, 40, "emptied", kTriangle).removed = true;
    ComputePositionScale(scene);
    const test::ModelFile file = test::WriteModel(scene);
    EXPECT_EQ(Section(file.text, "matrix_array"),
              "\n<matrix_array size=\"2\">\n"
              "\t<matrix index=\"0\" mtx_weight=\"1\" node_idx=\"0\"/>\n"
              "\t<matrix index=\"1\" mtx_weight=\"1\" node_idx=\"2\"/>\n"
              "</matrix_array>\n");
    EXPECT_EQ(Section(file.text, "envelope"), "");
    EXPECT_EQ(file.layout.polygons[0].matrix_list, std::vector<int32_t>{1});
    EXPECT_EQ(file.layout.polygons[1].matrix_list, std::vector<int32_t>{0});
    EXPECT_TRUE(file.layout.polygons[2].matrix_list.empty());
}

// A body with a rigid piece and a skinned piece on two bones.
ExportScene SkinnedScene() {
    ExportScene scene = test::ModelScene();
    AddNode(scene, 1, "body", NodeKind::Mesh);
    AddNode(scene, 2, "b1", NodeKind::Joint, 1);
    AddNode(scene, 3, "b2", NodeKind::Joint, 1);
    AddPolygon(scene, 1, "rigid", kTriangle);
    ExportPolygon& skinned =
        AddPolygon(scene, 1, "skinned", {{0, 0, 0}, {1, 0, 0}, {0, 1, 0}, {1, 1, 0}, {2, 1, 0}, {2, 2, 0}});
    skinned.skin = {
        Skin({{1, 1.0f}}),                        // all on the body: the rigid piece's matrix
        Skin({{2, 0.333f}, {3, 0.667f}}),         // 33 and 67
        Skin({{3, 0.6667f}, {2, 0.3333f}}),       // the same envelope
        Skin({{1, 0.0f}, {2, 0.5f}, {3, 0.5f}}),  // three weights, one of them 0
        Skin({{2, 0.333f}, {3, 0.667f}}),
        Skin({{1, 1.0f}}),
    };
    ComputePositionScale(scene);
    return scene;
}

TEST(MatrixPaletteTest, BlendsComeFirstAndEqualWeightSetsShareOneMatrix) {
    ExportScene scene = SkinnedScene();
    const test::ModelFile file = test::WriteModel(scene);
    const std::string& text = file.text;
    // The zero weight still counts for the order (three weights first) but
    // is written nowhere.
    EXPECT_EQ(Section(text, "envelope"),
              "\n<envelope>\n"
              "\t<weight size=\"4\">\n"
              "\t\t50 50 33 67 \n"
              "\t</weight>\n"
              "\t<node_idx size=\"4\">\n"
              "\t\t1 2 1 2 \n"
              "\t</node_idx>\n"
              "</envelope>\n");
    EXPECT_EQ(Section(text, "matrix_array"),
              "\n<matrix_array size=\"3\">\n"
              "\t<matrix index=\"0\" mtx_weight=\"2\" envelope_head=\"0\"/>\n"
              "\t<matrix index=\"1\" mtx_weight=\"2\" envelope_head=\"2\"/>\n"
              "\t<matrix index=\"2\" mtx_weight=\"1\" node_idx=\"0\"/>\n"
              "</matrix_array>\n");
    EXPECT_EQ(file.layout.polygons[0].matrix_list, std::vector<int32_t>{2});
    EXPECT_EQ(file.layout.polygons[1].matrix_list, (std::vector<int32_t>{2, 1, 1, 0, 1, 2}));
    EXPECT_TRUE(file.warnings.empty());

    ExportScene full = SkinnedScene();
    ExportOptions full_weight;
    full_weight.force_full_weight = true;
    const std::string full_text = ModelText(full, full_weight);
    EXPECT_EQ(Section(full_text, "envelope"), "") << "force_full_weight writes no envelope";
    EXPECT_NE(Section(full_text, "matrix_array"), "");
}

TEST(MatrixPaletteTest, TwelveWeightsAreWrittenTenToALine) {
    ExportScene scene = test::ModelScene();
    AddNode(scene, 100, "body", NodeKind::Mesh);
    std::vector<std::pair<int32_t, float>> weights;
    for (int32_t i = 0; i < 12; ++i) {
        AddNode(scene, i, "bone" + std::to_string(i), NodeKind::Joint, 100);
        weights.emplace_back(i, 1.0f / 12);  // 8 percent each
    }
    AddPolygon(scene, 100, "body", kTriangle).skin.assign(3, Skin(weights));
    ComputePositionScale(scene);
    EXPECT_EQ(Section(ModelText(scene), "envelope"),
              "\n<envelope>\n"
              "\t<weight size=\"12\">\n"
              "\t\t8 8 8 8 8 8 8 8 8 8 \n"
              "\t\t8 8 \n"
              "\t</weight>\n"
              "\t<node_idx size=\"12\">\n"
              "\t\t1 2 3 4 5 6 7 8 9 10 \n"
              "\t\t11 12 \n"
              "\t</node_idx>\n"
              "</envelope>\n");
}

TEST(MatrixPaletteTest, MoreThanThirtyOneMatricesAreWarnedAbout) {
    for (int32_t meshes : {31, 32}) {
        ExportScene scene = test::ModelScene();
        for (int32_t i = 0; i < meshes; ++i) {
            AddNode(scene, i, "m" + std::to_string(i), NodeKind::Mesh);
            AddPolygon(scene, i, "m" + std::to_string(i), kTriangle);
        }
        ComputePositionScale(scene);
        const test::ModelFile file = test::WriteModel(scene);
        EXPECT_NE(file.text.find("<matrix_array size=\"" + std::to_string(meshes) + "\">"), std::string::npos);
        const std::string over = "Warning: The number of matrices for displaying this model is over 31. 32";
        EXPECT_EQ(std::count(file.warnings.begin(), file.warnings.end(), over), meshes == 32 ? 1 : 0);
    }
}

// ------------------------------------------------------------ the plain algorithm

int32_t Percent(float weight) { return static_cast<int32_t>(weight * 100 + 0.5); }

// Every (node, percent) pair of a among b's, with equal counts.
bool PlainEqual(const SkinEntry& a, const SkinEntry& b) {
    if (a.count != b.count) return false;
    for (int32_t i = 0; i < a.count; ++i) {
        bool found = false;
        for (int32_t j = 0; j < b.count; ++j) {
            if (b.nodes[j] == a.nodes[i] && Percent(b.weights[j]) == Percent(a.weights[i])) found = true;
        }
        if (!found) return false;
    }
    return true;
}

template <class T, class Later>
void PlainExchangeSort(std::vector<T>& items, Later later_goes_first) {
    for (std::size_t i = 0; i < items.size(); ++i) {
        for (std::size_t j = i + 1; j < items.size(); ++j) {
            if (later_goes_first(items[j], items[i])) std::swap(items[i], items[j]);
        }
    }
}

struct PlainPalette {
    std::vector<ExportEnvelope> envelopes;
    std::vector<ExportMatrix> matrices;
    std::vector<std::vector<int32_t>> lists;            // per polygon
    std::vector<std::vector<int32_t>> vertex_matrices;  // per polygon, per position
};

PlainPalette BuildPlainly(const ExportScene& scene) {
    const NodeIndex node_index(scene);
    PlainPalette r;
    const auto entry = [&](const ExportEnvelope& e) -> const SkinEntry& {
        return scene.polygons[static_cast<std::size_t>(e.polygon)].skin[static_cast<std::size_t>(e.vertex)];
    };
    const auto drawn_skinned = [](const ExportPolygon& p) { return !p.removed && p.skinned(); };
    const auto drawn_rigid = [](const ExportPolygon& p) { return !p.removed && !p.skinned(); };
    for (std::size_t p = 0; p < scene.polygons.size(); ++p) {
        if (!drawn_skinned(scene.polygons[p])) continue;
        for (std::size_t v = 0; v < scene.polygons[p].skin.size(); ++v) {
            bool found = false;
            for (const ExportEnvelope& e : r.envelopes)
                found = found || PlainEqual(scene.polygons[p].skin[v], entry(e));
            if (!found) r.envelopes.push_back({static_cast<int32_t>(p), static_cast<int32_t>(v)});
        }
    }
    PlainExchangeSort(
        r.envelopes, [&](const ExportEnvelope& j, const ExportEnvelope& i) { return entry(j).count > entry(i).count; });
    std::vector<int32_t> rigid_nodes;
    for (std::size_t n = 0; n < scene.nodes.size(); ++n) {
        bool owns = false;
        for (const ExportPolygon& p : scene.polygons) owns = owns || (drawn_rigid(p) && p.node == scene.nodes[n].id);
        if (scene.nodes[n].kind == NodeKind::Mesh && owns) rigid_nodes.push_back(static_cast<int32_t>(n));
    }
    for (std::size_t e = 0; e < r.envelopes.size(); ++e) {
        const SkinEntry& x = entry(r.envelopes[e]);
        if (x.count < 2) {
            r.matrices.push_back({1, node_index(x.nodes[0]), static_cast<int32_t>(e)});
            continue;
        }
        bool found = false;
        for (const ExportMatrix& m : r.matrices) {
            found =
                found || (m.envelope >= 0 && PlainEqual(x, entry(r.envelopes[static_cast<std::size_t>(m.envelope)])));
        }
        if (!found) r.matrices.push_back({x.count, -1, static_cast<int32_t>(e)});
    }
    for (int32_t n : rigid_nodes) {
        bool found = false;
        for (const ExportMatrix& m : r.matrices) found = found || (m.weight_count < 2 && m.node_index == n);
        if (!found) r.matrices.push_back({1, n, -1});
    }
    PlainExchangeSort(r.matrices, [](const ExportMatrix& j, const ExportMatrix& i) {
        return j.weight_count > i.weight_count || (j.weight_count == i.weight_count && j.node_index < i.node_index);
    });
    const auto envelope_equal = [&](const ExportMatrix& m, const SkinEntry& x) {
        return m.envelope >= 0 && PlainEqual(entry(r.envelopes[static_cast<std::size_t>(m.envelope)]), x);
    };
    r.lists.resize(scene.polygons.size());
    r.vertex_matrices.resize(scene.polygons.size());
    for (std::size_t p = 0; p < scene.polygons.size(); ++p) {
        if (!drawn_skinned(scene.polygons[p])) continue;
        for (const SkinEntry& x : scene.polygons[p].skin) {
            for (std::size_t k = 0; k < r.matrices.size(); ++k) {
                if (envelope_equal(r.matrices[k], x)) r.lists[p].push_back(static_cast<int32_t>(k));
            }
        }
        for (const SkinEntry& x : scene.polygons[p].skin) {
            int32_t found = -1;
            for (int32_t k : r.lists[p]) {
                if (found < 0 && envelope_equal(r.matrices[static_cast<std::size_t>(k)], x)) found = k;
            }
            r.vertex_matrices[p].push_back(found);
        }
    }
    for (std::size_t n = 0; n < scene.nodes.size(); ++n) {
        if (scene.nodes[n].kind != NodeKind::Mesh) continue;
        for (std::size_t p = 0; p < scene.polygons.size(); ++p) {
            if (!drawn_rigid(scene.polygons[p]) || scene.polygons[p].node != scene.nodes[n].id) continue;
            for (std::size_t k = 0; k < r.matrices.size(); ++k) {
                if (r.matrices[k].node_index == static_cast<int32_t>(n)) r.lists[p].push_back(static_cast<int32_t>(k));
            }
        }
    }
    return r;
}

// Weight sets from a few nodes and weights, so that equal sets, sets
// repeating a pair and sets equal only one way round are all common.
SkinEntry RandomEntry(std::mt19937& random, int32_t own_node) {
    static const float kWeights[] = {0.0f, 0.25f, 0.333f, 0.3333f, 0.5f, 0.667f, 0.6667f, 1.0f};
    const int32_t count = static_cast<int32_t>(random() % 4);
    if (count == 0) {
        SkinEntry unweighted = Skin({{own_node, 1.0f}});
        unweighted.count = 0;
        return unweighted;
    }
    std::vector<std::pair<int32_t, float>> weights;
    for (int32_t i = 0; i < count; ++i) {
        weights.emplace_back(static_cast<int32_t>(random() % 3), kWeights[random() % std::size(kWeights)]);
    }
    return Skin(weights);
}

// The random scenes below compare the keys with the plain pairwise test
// all the time; its one-way cases are shown here.
TEST(MatrixPaletteTest, EqualityOnKeysIsThePairwiseTestIncludingItsOneWayCases) {
    const SkinEntry repeated = Skin({{1, 0.5f}, {1, 0.5f}});
    const SkinEntry two_nodes = Skin({{1, 0.5f}, {2, 0.5f}});
    EXPECT_TRUE(PlainEqual(repeated, two_nodes));
    EXPECT_FALSE(PlainEqual(two_nodes, repeated));
    EXPECT_TRUE(EqualWeightSets(KeyOf(repeated), KeyOf(two_nodes)));
    EXPECT_FALSE(EqualWeightSets(KeyOf(two_nodes), KeyOf(repeated)));
}

TEST(MatrixPaletteTest, ExchangeSortOrderReplaysThePlainSort) {
    std::mt19937 random(5);
    for (int round = 0; round < 500; ++round) {
        const std::size_t size = random() % 70;
        const int64_t range = round % 2 == 0 ? 4 : 1000;
        std::vector<std::pair<int64_t, int32_t>> plain;
        std::vector<int64_t> keys;
        for (std::size_t i = 0; i < size; ++i) {
            keys.push_back(static_cast<int64_t>(random() % range) - range / 2);
            plain.emplace_back(keys.back(), static_cast<int32_t>(i));
        }
        PlainExchangeSort(plain, [](const auto& j, const auto& i) { return j.first > i.first; });
        std::vector<int32_t> expected;
        for (const auto& item : plain) expected.push_back(item.second);
        ASSERT_EQ(ExchangeSortOrder(keys), expected) << round;
    }
}

std::vector<std::vector<int32_t>> Flat(const std::vector<ExportEnvelope>& envelopes) {
    std::vector<std::vector<int32_t>> flat;
    for (const ExportEnvelope& e : envelopes) flat.push_back({e.polygon, e.vertex});
    return flat;
}

std::vector<std::vector<int32_t>> Flat(const std::vector<ExportMatrix>& matrices) {
    std::vector<std::vector<int32_t>> flat;
    for (const ExportMatrix& m : matrices) flat.push_back({m.weight_count, m.node_index, m.envelope});
    return flat;
}

TEST(MatrixPaletteTest, PaletteMatchesThePlainAlgorithmOnRandomScenes) {
    std::mt19937 random(3);
    for (int round = 0; round < 300; ++round) {
        ExportScene scene;
        for (int32_t n = 0; n < 5; ++n) AddNode(scene, n, "n", random() % 3 == 0 ? NodeKind::Joint : NodeKind::Mesh);
        const int polygons = 1 + static_cast<int>(random() % 5);
        for (int p = 0; p < polygons; ++p) {
            const int32_t owner = static_cast<int32_t>(random() % 5);
            ExportPolygon& polygon = AddPolygon(scene, owner, "p", kTriangle);
            if (random() % 4 == 0) polygon.removed = true;
            if (random() % 3 != 0) {
                polygon.positions.resize(1 + random() % 12);
                for (std::size_t v = 0; v < polygon.positions.size(); ++v)
                    polygon.skin.push_back(RandomEntry(random, owner));
            }
        }
        const PlainPalette expected = BuildPlainly(scene);
        ModelLayout layout;
        Progress progress;
        LayOutMatrixPalette(scene, layout, progress);

        ASSERT_EQ(Flat(layout.envelopes), Flat(expected.envelopes)) << round;
        ASSERT_EQ(Flat(layout.matrices), Flat(expected.matrices)) << round;
        for (std::size_t p = 0; p < scene.polygons.size(); ++p) {
            const ExportPolygon& polygon = scene.polygons[p];
            ASSERT_EQ(layout.polygons[p].matrix_list, expected.lists[p]) << round;
            if (polygon.removed || !polygon.skinned()) continue;
            ASSERT_EQ(layout.polygons[p].position_matrices, expected.vertex_matrices[p]) << round;
        }
    }
}

}  // namespace
}  // namespace korvo

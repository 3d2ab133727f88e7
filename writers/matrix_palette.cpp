#include "writers/matrix_palette.h"

#include <algorithm>
#include <optional>
#include <unordered_map>
#include <unordered_set>

#include "writers/exchange_sort.h"
#include "writers/model_lookups.h"
#include "writers/weight_set.h"

namespace korvo {

namespace {

constexpr const char* kProgressText = "IMD: Building Skin Vertex List";

// Every distinct key once. Equality depends on the key alone, so each
// question about a vertex is asked once per distinct key; only keys that
// repeat a pair (which real skins do not produce) need a scan, because
// they can be equal to keys other than their own.
class WeightSetTable {
public:
    int32_t Intern(const SkinEntry& entry) {
        WeightSetKey key = KeyOf(entry);
        const auto [it, added] = ids_.try_emplace(std::move(key), static_cast<int32_t>(keys_.size()));
        if (added) keys_.push_back(&it->first);
        return it->second;
    }
    const WeightSetKey& operator[](int32_t id) const { return *keys_[static_cast<std::size_t>(id)]; }
    std::size_t size() const { return keys_.size(); }

private:
    std::unordered_map<WeightSetKey, int32_t, WeightSetKeyHash> ids_;
    std::vector<const WeightSetKey*> keys_;  // node addresses in ids_ stay put
};

struct PaletteBuild {
    PaletteBuild(const ExportScene& scene_in, ModelLayout& layout_in)
        : scene(scene_in), layout(layout_in), node_index(scene_in) {}

    const ExportScene& scene;
    ModelLayout& layout;
    NodeIndex node_index;
    WeightSetTable table;
    std::vector<std::vector<int32_t>> vertex_keys;  // per polygon, per position
    std::vector<int32_t> envelope_keys;             // parallel to layout.envelopes
    std::vector<int32_t> matrix_keys;               // parallel to layout.matrices; -1 without envelope
};

bool Drawn(const ExportPolygon& polygon) { return !polygon.removed; }
bool DrawnSkinned(const ExportPolygon& polygon) { return !polygon.removed && polygon.skinned(); }

const SkinEntry& EntryOf(const ExportScene& scene, const ExportEnvelope& envelope) {
    return scene.polygons[static_cast<std::size_t>(envelope.polygon)].skin[static_cast<std::size_t>(envelope.vertex)];
}

template <class T>
void Reorder(std::vector<T>& items, const std::vector<int32_t>& order) {
    std::vector<T> sorted;
    sorted.reserve(items.size());
    for (int32_t i : order) sorted.push_back(std::move(items[static_cast<std::size_t>(i)]));
    items = std::move(sorted);
}

// Each weight set once, in order of first use, then the most weights first.
void CollectEnvelopes(PaletteBuild& build, Progress& progress) {
    const ExportScene& scene = build.scene;
    const float step = progress.StepSize(static_cast<int>(scene.polygons.size()));
    std::vector<char> seen;
    build.vertex_keys.assign(scene.polygons.size(), {});
    for (std::size_t p = 0; p < scene.polygons.size(); ++p) {
        progress.Advance(step, kProgressText);
        const ExportPolygon& polygon = scene.polygons[p];
        if (!DrawnSkinned(polygon)) continue;
        std::vector<int32_t>& keys = build.vertex_keys[p];
        keys.resize(polygon.skin.size());
        for (std::size_t v = 0; v < polygon.skin.size(); ++v) {
            const int32_t id = keys[v] = build.table.Intern(polygon.skin[v]);
            if (static_cast<std::size_t>(id) >= seen.size()) seen.resize(static_cast<std::size_t>(id) + 1, 0);
            // A key met before was either added then or found equal to an
            // envelope already there; the list only grows, so it still is.
            if (seen[static_cast<std::size_t>(id)]) continue;
            seen[static_cast<std::size_t>(id)] = 1;
            const WeightSetKey& key = build.table[id];
            // A key without repeated pairs is equal only to its own key,
            // which no envelope has yet.
            const bool equal_to_one =
                !key.distinct() && std::any_of(build.envelope_keys.begin(), build.envelope_keys.end(),
                                               [&](int32_t e) { return EqualWeightSets(key, build.table[e]); });
            if (equal_to_one) continue;
            build.layout.envelopes.push_back({static_cast<int32_t>(p), static_cast<int32_t>(v)});
            build.envelope_keys.push_back(id);
        }
    }
    std::vector<int64_t> sort_keys;
    for (int32_t id : build.envelope_keys) sort_keys.push_back(build.table[id].count);
    const std::vector<int32_t> order = ExchangeSortOrder(std::move(sort_keys));
    Reorder(build.layout.envelopes, order);
    Reorder(build.envelope_keys, order);
}

// Mesh nodes, in node order, that draw at least one rigid polygon.
std::vector<int32_t> RigidNodes(const ExportScene& scene) {
    std::unordered_set<int32_t> owners;
    for (const ExportPolygon& polygon : scene.polygons) {
        if (Drawn(polygon) && !polygon.skinned()) owners.insert(polygon.node);
    }
    std::vector<int32_t> nodes;
    for (std::size_t i = 0; i < scene.nodes.size(); ++i) {
        const ExportNode& node = scene.nodes[i];
        if (node.kind == NodeKind::Mesh && owners.count(node.id)) nodes.push_back(static_cast<int32_t>(i));
    }
    return nodes;
}

void BuildMatrices(PaletteBuild& build) {
    std::vector<ExportMatrix>& matrices = build.layout.matrices;
    for (std::size_t e = 0; e < build.layout.envelopes.size(); ++e) {
        const int32_t id = build.envelope_keys[e];
        const WeightSetKey& key = build.table[id];
        if (key.count < 2) {
            const SkinEntry& entry = EntryOf(build.scene, build.layout.envelopes[e]);
            const int32_t node = entry.nodes.empty() ? -1 : build.node_index(entry.nodes[0]);
            matrices.push_back({1, node, static_cast<int32_t>(e)});
            build.matrix_keys.push_back(id);
            continue;
        }
        // Envelope keys differ from each other, so only a key with repeated
        // pairs can be equal to one already in the list.
        const bool equal_to_one =
            !key.distinct() && std::any_of(build.matrix_keys.begin(), build.matrix_keys.end(),
                                           [&](int32_t m) { return m >= 0 && EqualWeightSets(key, build.table[m]); });
        if (equal_to_one) continue;
        matrices.push_back({key.count, -1, static_cast<int32_t>(e)});
        build.matrix_keys.push_back(id);
    }

    std::unordered_set<int32_t> single_nodes;
    for (const ExportMatrix& m : matrices) {
        if (m.weight_count < 2) single_nodes.insert(m.node_index);
    }
    for (int32_t node : RigidNodes(build.scene)) {
        if (!single_nodes.insert(node).second) continue;
        matrices.push_back({1, node, -1});
        build.matrix_keys.push_back(-1);
    }

    // Blends first, most weights first; then single nodes by node index.
    std::vector<int64_t> sort_keys;
    for (const ExportMatrix& m : matrices) {
        sort_keys.push_back(int64_t{m.weight_count} * (int64_t{1} << 32) + (int64_t{0x7FFFFFFF} - m.node_index));
    }
    const std::vector<int32_t> order = ExchangeSortOrder(std::move(sort_keys));
    Reorder(matrices, order);
    Reorder(build.matrix_keys, order);
}

// The matrices whose envelope is equal to a weight set, in list order.
class MatchingMatrices {
public:
    explicit MatchingMatrices(const PaletteBuild& build) : build_(build), cache_(build.table.size()) {
        for (std::size_t k = 0; k < build.matrix_keys.size(); ++k) {
            const int32_t id = build.matrix_keys[k];
            if (id < 0) continue;
            if (build.table[id].distinct()) {
                by_key_.emplace(id, static_cast<int32_t>(k));
            } else {
                with_repeats_.push_back(static_cast<int32_t>(k));
            }
        }
    }

    const std::vector<int32_t>& operator()(int32_t id) {
        std::optional<std::vector<int32_t>>& cached = cache_[static_cast<std::size_t>(id)];
        if (cached) return *cached;
        std::vector<int32_t> found;
        // An envelope without repeated pairs equals only its own key.
        if (auto it = by_key_.find(id); it != by_key_.end()) found.push_back(it->second);
        for (int32_t k : with_repeats_) {
            const int32_t envelope_key = build_.matrix_keys[static_cast<std::size_t>(k)];
            if (EqualWeightSets(build_.table[envelope_key], build_.table[id])) found.push_back(k);
        }
        std::sort(found.begin(), found.end());
        return cached.emplace(std::move(found));
    }

private:
    const PaletteBuild& build_;
    std::unordered_map<int32_t, int32_t> by_key_;
    std::vector<int32_t> with_repeats_;
    std::vector<std::optional<std::vector<int32_t>>> cache_;
};

// The first matrix of the polygon's list that is equal to the vertex's
// weight set, for every position.
std::vector<int32_t> VertexMatrices(const ExportPolygon& polygon, const std::vector<int32_t>& matrix_list,
                                    const std::vector<int32_t>& vertex_keys, MatchingMatrices& matching) {
    std::unordered_map<int32_t, int32_t> first_position;
    for (std::size_t i = 0; i < matrix_list.size(); ++i) {
        first_position.try_emplace(matrix_list[i], static_cast<int32_t>(i));
    }
    std::vector<int32_t> result(polygon.positions.size(), -1);
    for (std::size_t v = 0; v < std::min(vertex_keys.size(), result.size()); ++v) {
        int32_t best = -1, best_position = 0;
        for (int32_t k : matching(vertex_keys[v])) {
            const int32_t position = first_position.at(k);  // every match was listed for this vertex
            if (best < 0 || position < best_position) {
                best = k;
                best_position = position;
            }
        }
        result[v] = best;
    }
    return result;
}

void FillPolygonLists(PaletteBuild& build) {
    const ExportScene& scene = build.scene;
    MatchingMatrices matching(build);
    std::vector<std::vector<int32_t>> by_node(scene.nodes.size());
    for (std::size_t k = 0; k < build.layout.matrices.size(); ++k) {
        const int32_t node = build.layout.matrices[k].node_index;
        if (node >= 0) by_node[static_cast<std::size_t>(node)].push_back(static_cast<int32_t>(k));
    }
    for (std::size_t p = 0; p < scene.polygons.size(); ++p) {
        const ExportPolygon& polygon = scene.polygons[p];
        if (!Drawn(polygon)) continue;
        PolygonLayout& laid_out = build.layout.polygons[p];
        if (polygon.skinned()) {
            for (int32_t id : build.vertex_keys[p]) {
                const std::vector<int32_t>& ks = matching(id);
                laid_out.matrix_list.insert(laid_out.matrix_list.end(), ks.begin(), ks.end());
            }
            laid_out.position_matrices = VertexMatrices(polygon, laid_out.matrix_list, build.vertex_keys[p], matching);
        } else {
            const int32_t node = build.node_index(polygon.node);
            if (node >= 0 && scene.nodes[static_cast<std::size_t>(node)].kind == NodeKind::Mesh) {
                laid_out.matrix_list = by_node[static_cast<std::size_t>(node)];
            }
            const int32_t matrix = laid_out.matrix_list.empty() ? -1 : laid_out.matrix_list.front();
            laid_out.position_matrices.assign(polygon.positions.size(), matrix);
        }
    }
}

}  // namespace

void LayOutMatrixPalette(const ExportScene& scene, ModelLayout& layout, Progress& progress) {
    layout.envelopes.clear();
    layout.matrices.clear();
    layout.polygons.resize(scene.polygons.size());
    for (PolygonLayout& polygon : layout.polygons) {
        polygon.matrix_list.clear();
        polygon.position_matrices.clear();
    }

    PaletteBuild build(scene, layout);
    CollectEnvelopes(build, progress);
    BuildMatrices(build);
    FillPolygonLists(build);
    progress.FinishStep(kProgressText);
}

}  // namespace korvo

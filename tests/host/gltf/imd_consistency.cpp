// Cross-checks of a model file read back: sizes that match what they
// count, indices in range, node links that agree, totals that add up.

#include <cmath>
#include <sstream>

#include "host/gltf/gltf_test.h"

namespace korvo::test {
namespace {

struct Totals {
    long vertices = 0, triangles = 0, quads = 0;
};

class Checker {
public:
    std::vector<std::string> problems;

    void Run(const ImdElement& body) {
        Sizes(body);
        const std::size_t nodes = Items(body, "node_array").size(), images = Items(body, "tex_image_array").size(),
                          palettes = Items(body, "tex_palette_array").size();
        for (const ImdElement* material : Items(body, "material_array")) {
            InRange(*material, "tex_image_idx", images, true);
            InRange(*material, "tex_palette_idx", palettes, true);
        }
        Envelopes(body, nodes);
        const std::size_t positions = Triples(body.Child("vtx_pos_data"), "pos_size");
        const std::size_t colors = Triples(body.Child("vtx_color_data"), "color_size");
        Totals model;
        std::vector<Totals> polygons;
        for (const ImdElement* polygon : Items(body, "polygon_array")) {
            polygons.push_back(Polygon(*polygon, Items(body, "matrix_array").size(), positions, colors));
            model.vertices += polygons.back().vertices;
            model.triangles += polygons.back().triangles;
            model.quads += polygons.back().quads;
        }
        Nodes(Items(body, "node_array"), Items(body, "material_array").size(), polygons);
        if (const ImdElement* info = body.Child("output_info")) ExpectTotals(*info, model);
    }

private:
    static std::vector<const ImdElement*> Items(const ImdElement& body, const char* section) {
        std::vector<const ImdElement*> items;
        if (const ImdElement* found = body.Child(section)) {
            for (const ImdElement& item : found->children) items.push_back(&item);
        }
        return items;
    }
    void Problem(const ImdElement& at, const std::string& what) {
        problems.push_back("line " + std::to_string(at.line) + " <" + at.name + ">: " + what);
    }
    void Expect(const ImdElement& at, const std::string& key, long counted) {
        if (at.Int(key) == counted) return;
        Problem(at, key + "=\"" + at.Attribute(key) + "\", counted " + std::to_string(counted));
    }
    void ExpectTotals(const ImdElement& at, const Totals& counted) {
        Expect(at, "vertex_size", counted.vertices);
        Expect(at, "triangle_size", counted.triangles);
        Expect(at, "quad_size", counted.quads);
        Expect(at, "polygon_size", counted.triangles + counted.quads);
    }
    // The index, or -1 after a problem; -1 itself is allowed when none_allowed.
    long InRange(const ImdElement& at, const std::string& key, std::size_t count, bool none_allowed = false) {
        const long value = at.Int(key).value_or(-2);
        if (value >= (none_allowed ? -1 : 0) && value < static_cast<long>(count)) return value;
        Problem(at, key + "=\"" + at.Attribute(key) + "\" is not an index below " + std::to_string(count));
        return -1;
    }
    void AllInRange(const ImdElement* list, std::size_t count) {
        for (double entry : list ? list->TextNumbers().value_or(std::vector<double>{}) : std::vector<double>{}) {
            if (entry < 0 || entry >= static_cast<double>(count)) Problem(*list, "an index out of range");
        }
    }
    // Every size counts the element's children, or else the words of its
    // text; every index is its element's place among its siblings.
    void Sizes(const ImdElement& at) {
        if (at.Has("size")) {
            std::istringstream text(at.text);
            long words = 0;
            for (std::string word; text >> word;) ++words;
            Expect(at, "size", at.children.empty() ? words : static_cast<long>(at.children.size()));
        }
        for (std::size_t i = 0; i < at.children.size(); ++i) {
            if (at.children[i].Has("index")) Expect(at.children[i], "index", static_cast<long>(i));
            Sizes(at.children[i]);
        }
    }
    std::size_t Triples(const ImdElement* list, const std::string& key) {
        const std::size_t count = list ? list->TextNumbers().value_or(std::vector<double>{}).size() / 3 : 0;
        if (list) Expect(*list, key, static_cast<long>(count));
        return count;
    }

    // Each blended matrix takes the next weights of the envelope, adding up
    // to 100 within rounding; a one-bone matrix names its node.
    void Envelopes(const ImdElement& body, std::size_t nodes) {
        const ImdElement* envelope = body.Child("envelope");
        const ImdElement* weight = envelope ? envelope->Child("weight") : nullptr;
        const std::vector<double> weights =
            weight ? weight->TextNumbers().value_or(std::vector<double>{}) : std::vector<double>{};
        AllInRange(envelope ? envelope->Child("node_idx") : nullptr, nodes);
        std::size_t head = 0;
        for (const ImdElement* matrix : Items(body, "matrix_array")) {
            const long count = matrix->Int("mtx_weight").value_or(0);
            if (count == 1) {
                InRange(*matrix, "node_idx", nodes);
                continue;
            }
            Expect(*matrix, "envelope_head", static_cast<long>(head));
            if (count < 2 || head + count > weights.size()) {
                return Problem(*matrix, "its weights are not in the envelope");
            }
            double sum = 0;
            for (long w = 0; w < count; ++w) sum += weights[head++];
            if (std::abs(sum - 100) > count) Problem(*matrix, "its weights add up to " + std::to_string(sum));
        }
        if (head != weights.size()) problems.push_back("envelope weights no matrix uses");
    }

    // Every vertex after an mtx of its group; counts by primitive type.
    Totals Polygon(const ImdElement& polygon, std::size_t matrices, std::size_t positions, std::size_t colors) {
        Totals counted;
        for (const ImdElement* group : polygon.Children("mtx_prim")) {
            const ImdElement* list = group->Child("mtx_list");
            AllInRange(list, matrices);
            const std::size_t entries = list ? list->TextNumbers().value_or(std::vector<double>{}).size() : 0;
            bool matrix_set = false;
            for (const ImdElement* primitive : group->Child("primitive_array")->Children("primitive")) {
                long vertices = 0;
                for (const ImdElement& command : primitive->children) {
                    if (command.name == "mtx") matrix_set = InRange(command, "idx", entries) >= 0;
                    if (command.name == "clr_idx") InRange(command, "idx", colors);
                    if (command.name == "pos_idx") InRange(command, "idx", positions);
                    if (command.name.rfind("pos_", 0) != 0) continue;
                    if (!matrix_set) Problem(command, "a vertex before the group's first mtx");
                    ++vertices;
                }
                Expect(*primitive, "vertex_size", vertices);
                const std::string& type = primitive->Attribute("type");
                counted.vertices += vertices;
                if (type == "triangles" && vertices % 3 == 0) {
                    counted.triangles += vertices / 3;
                } else if (type == "quads" && vertices % 4 == 0) {
                    counted.quads += vertices / 4;
                } else if (type == "triangle_strip" && vertices >= 3) {
                    counted.triangles += vertices - 2;
                } else if (type == "quad_strip" && vertices >= 4 && vertices % 2 == 0) {
                    counted.quads += (vertices - 2) / 2;
                } else {
                    Problem(*primitive, "type \"" + type + "\" with " + std::to_string(vertices) + " vertices");
                }
            }
        }
        ExpectTotals(polygon, counted);
        return counted;
    }

    // Links that point back, one tree from the first node reaching every
    // node once, every polygon displayed once, node totals its polygons'.
    void Nodes(const std::vector<const ImdElement*>& nodes, std::size_t materials,
               const std::vector<Totals>& polygons) {
        const std::size_t n = nodes.size();
        std::vector<long> parent(n), child(n), next(n), prev(n);
        for (std::size_t i = 0; i < n; ++i) {
            parent[i] = InRange(*nodes[i], "parent", n, true);
            child[i] = InRange(*nodes[i], "child", n, true);
            next[i] = InRange(*nodes[i], "brother_next", n, true);
            prev[i] = InRange(*nodes[i], "brother_prev", n, true);
        }
        std::vector<int> seen(n, 0), shown(polygons.size(), 0);
        std::vector<long> stack(n > 0 ? 1 : 0, 0);
        while (!stack.empty()) {
            const long at = stack.back();
            stack.pop_back();
            if (++seen[at] > 1) continue;
            if (child[at] >= 0 && (parent[child[at]] != at || prev[child[at]] != -1)) {
                Problem(*nodes[at], "its child does not name it as parent, or has a previous brother");
            }
            if (next[at] >= 0 && (prev[next[at]] != at || parent[next[at]] != parent[at])) {
                Problem(*nodes[at], "brother_next does not point back, or has another parent");
            }
            for (long link : {child[at], next[at]}) {
                if (link >= 0) stack.push_back(link);
            }
        }
        for (std::size_t i = 0; i < n; ++i) {
            if (seen[i] != 1) Problem(*nodes[i], "reached " + std::to_string(seen[i]) + " times from the root");
            Totals sum;
            for (const ImdElement* display : nodes[i]->Children("display")) {
                InRange(*display, "material", materials);
                const long polygon = InRange(*display, "polygon", polygons.size());
                if (polygon < 0) continue;
                ++shown[polygon];
                sum.triangles += polygons[polygon].triangles;
                sum.quads += polygons[polygon].quads;
            }
            Expect(*nodes[i], "display_size", static_cast<long>(nodes[i]->Children("display").size()));
            if (sum.triangles + sum.quads > 0) Expect(*nodes[i], "polygon_size", sum.triangles + sum.quads);
        }
        for (std::size_t p = 0; p < polygons.size(); ++p) {
            if (shown[p] != 1)
                problems.push_back("polygon " + std::to_string(p) + " shown " + std::to_string(shown[p]) + " times");
        }
    }
};

}  // namespace

std::vector<std::string> ImdProblems(const ImdElement& imd) {
    Checker checker;
    if (imd.name != "imd" || !imd.Child("body")) return {"the root is not <imd> with a <body>"};
    checker.Run(*imd.Child("body"));
    return checker.problems;
}

}  // namespace korvo::test

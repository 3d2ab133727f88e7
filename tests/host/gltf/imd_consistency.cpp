#include "host/gltf/imd_consistency.h"

#include <climits>
#include <cmath>
#include <map>
#include <sstream>

namespace korvo::test {

namespace {

constexpr long kBad = LONG_MIN;

std::size_t WordCount(const std::string& text) {
    std::istringstream words(text);
    std::size_t count = 0;
    for (std::string word; words >> word;) ++count;
    return count;
}

bool IsPositionCommand(const std::string& name) { return name.rfind("pos_", 0) == 0; }

// Bitmap units per texel count of each texture format.
const std::map<std::string, long> kTexelsPerUnit = {{"palette4", 8}, {"a5i3", 2},   {"palette16", 4}, {"palette256", 2},
                                                    {"tex4x4", 16},  {"direct", 1}, {"a3i5", 2}};

struct PolygonTotals {
    long vertices = 0, triangles = 0, quads = 0;
};

class Checker {
public:
    explicit Checker(const ImdElement& imd) : body_(imd.Child("body")) {}

    std::vector<std::string> Run(const ImdElement& imd) {
        if (imd.name != "imd" || !body_) {
            problems_.push_back("the root is not <imd> with a <body>");
            return problems_;
        }
        nodes_ = Section("node_array", "node");
        materials_ = Section("material_array", "material");
        images_ = Section("tex_image_array", "tex_image");
        palettes_ = Section("tex_palette_array", "tex_palette");
        matrices_ = Section("matrix_array", "matrix");
        polygons_ = Section("polygon_array", "polygon");
        CheckVertexLists();
        CheckTextures();
        CheckMaterials();
        CheckEnvelopesAndMatrices();
        for (std::size_t p = 0; p < polygons_.size(); ++p) CheckPolygon(*polygons_[p]);
        CheckNodes();
        CheckSummary();
        return problems_;
    }

private:
    void Problem(const ImdElement& at, const std::string& what) {
        problems_.push_back("line " + std::to_string(at.line) + " <" + at.name + ">: " + what);
    }
    long Int(const ImdElement& at, const std::string& key) {
        if (const auto value = at.Int(key)) return *value;
        Problem(at, key + " is missing or not an integer");
        return kBad;
    }
    // An index attribute: -1 when allowed, else below count.
    long Index(const ImdElement& at, const std::string& key, std::size_t count, bool none_allowed) {
        const long value = Int(at, key);
        if (value == kBad || (none_allowed && value == -1)) return value;
        if (value < 0 || value >= static_cast<long>(count)) {
            Problem(at, key + "=" + std::to_string(value) + " is not below " + std::to_string(count));
            return kBad;
        }
        return value;
    }
    void Expect(const ImdElement& at, const std::string& what, long written, long counted) {
        if (written != kBad && written != counted) {
            Problem(at, what + " is " + std::to_string(written) + ", counted " + std::to_string(counted));
        }
    }
    // The items of a sized section, checking its size and their index attributes.
    std::vector<const ImdElement*> Section(const std::string& name, const std::string& item) {
        const ImdElement* section = body_->Child(name);
        if (!section) return {};
        std::vector<const ImdElement*> items = section->Children(item);
        Expect(*section, "size", Int(*section, "size"), static_cast<long>(items.size()));
        for (std::size_t i = 0; i < items.size(); ++i) {
            Expect(*items[i], "index", Int(*items[i], "index"), static_cast<long>(i));
        }
        return items;
    }

    void CheckVertexLists() {
        if (const ImdElement* positions = body_->Child("vtx_pos_data")) {
            const auto numbers = positions->TextNumbers();
            if (!numbers || numbers->size() % 3 != 0) Problem(*positions, "the positions are not triples of numbers");
            position_count_ = numbers ? static_cast<long>(numbers->size() / 3) : 0;
            Expect(*positions, "pos_size", Int(*positions, "pos_size"), position_count_);
        }
        if (const ImdElement* colors = body_->Child("vtx_color_data")) {
            const auto numbers = colors->TextNumbers();
            if (!numbers || numbers->size() % 3 != 0) Problem(*colors, "the colours are not triples of numbers");
            color_count_ = numbers ? static_cast<long>(numbers->size() / 3) : 0;
            Expect(*colors, "color_size", Int(*colors, "color_size"), color_count_);
            for (double c : numbers.value_or(std::vector<double>{})) {
                if (c < 0 || c > 31 || c != std::floor(c)) Problem(*colors, "a colour component is not 0 to 31");
            }
        }
    }

    void CheckTextures() {
        for (const ImdElement* image : images_) {
            const auto unit = kTexelsPerUnit.find(image->Attribute("format"));
            const ImdElement* bitmap = image->Child("bitmap");
            if (unit == kTexelsPerUnit.end() || !bitmap) {
                Problem(*image, "unknown format or no bitmap");
                continue;
            }
            const long width = Int(*image, "width"), height = Int(*image, "height");
            if (width != kBad && height != kBad) {
                Expect(*bitmap, "size", Int(*bitmap, "size"), width * height / unit->second);
            }
            Expect(*bitmap, "size", Int(*bitmap, "size"), static_cast<long>(WordCount(bitmap->text)));
            if (unit->first != "direct" && !PaletteNamed(image->Attribute("palette_name"))) {
                Problem(*image, "palette_name \"" + image->Attribute("palette_name") + "\" names no tex_palette");
            }
        }
        for (const ImdElement* palette : palettes_) {
            const long size = Int(*palette, "color_size");
            Expect(*palette, "color_size", size, static_cast<long>(WordCount(palette->text)));
            if (size != kBad && size % 8 != 0) Problem(*palette, "color_size is not a multiple of 8");
        }
    }
    const ImdElement* PaletteNamed(const std::string& name) const {
        for (const ImdElement* palette : palettes_) {
            if (palette->Attribute("name") == name) return palette;
        }
        return nullptr;
    }

    void CheckMaterials() {
        for (const ImdElement* material : materials_) {
            const long image = Index(*material, "tex_image_idx", images_.size(), true);
            const long palette = Index(*material, "tex_palette_idx", palettes_.size(), true);
            if (image == kBad || palette == kBad) continue;
            if (image == -1) {
                if (palette != -1) Problem(*material, "a palette without an image");
                continue;
            }
            const ImdElement& texture = *images_[image];
            if (texture.Attribute("format") == "direct") {
                if (palette != -1) Problem(*material, "a direct texture with a palette");
            } else if (palette == -1 || palettes_[palette]->Attribute("name") != texture.Attribute("palette_name")) {
                Problem(*material, "tex_palette_idx does not name the palette of its image");
            }
        }
    }

    void CheckEnvelopesAndMatrices() {
        std::vector<double> weights;
        if (const ImdElement* envelope = body_->Child("envelope")) {
            const ImdElement* weight = envelope->Child("weight");
            const ImdElement* node_idx = envelope->Child("node_idx");
            if (!weight || !node_idx) {
                Problem(*envelope, "weight or node_idx is missing");
                return;
            }
            weights = weight->TextNumbers().value_or(std::vector<double>{});
            const std::vector<double> nodes = node_idx->TextNumbers().value_or(std::vector<double>{});
            Expect(*weight, "size", Int(*weight, "size"), static_cast<long>(weights.size()));
            Expect(*node_idx, "size", Int(*node_idx, "size"), static_cast<long>(nodes.size()));
            if (weights.size() != nodes.size()) Problem(*envelope, "weight and node_idx differ in length");
            for (double w : weights) {
                if (w < 0 || w > 100) Problem(*weight, "a weight is not 0 to 100");
            }
            for (double n : nodes) {
                if (n < 0 || n >= static_cast<double>(nodes_.size())) Problem(*node_idx, "a node index out of range");
            }
        }
        long head = 0;
        for (const ImdElement* matrix : matrices_) {
            const long weight_count = Int(*matrix, "mtx_weight");
            if (weight_count == 1) {
                Index(*matrix, "node_idx", nodes_.size(), false);
                continue;
            }
            Expect(*matrix, "envelope_head", Int(*matrix, "envelope_head"), head);
            if (weight_count < 2 || head + weight_count > static_cast<long>(weights.size())) {
                Problem(*matrix, "its weights are not in the envelope");
                return;
            }
            double sum = 0;
            for (long w = head; w < head + weight_count; ++w) sum += weights[w];
            if (std::abs(sum - 100) > weight_count) Problem(*matrix, "its weights add up to " + std::to_string(sum));
            head += weight_count;
        }
        if (head != static_cast<long>(weights.size())) Problem(*body_, "envelope weights no matrix uses");
    }

    void CheckPolygon(const ImdElement& polygon) {
        PolygonTotals counted;
        const std::vector<const ImdElement*> groups = polygon.Children("mtx_prim");
        Expect(polygon, "mtx_prim_size", Int(polygon, "mtx_prim_size"), static_cast<long>(groups.size()));
        for (std::size_t g = 0; g < groups.size(); ++g) {
            const ImdElement& group = *groups[g];
            Expect(group, "index", Int(group, "index"), static_cast<long>(g));
            const ImdElement* list = group.Child("mtx_list");
            const ImdElement* primitives = group.Child("primitive_array");
            if (!list || !primitives) {
                Problem(group, "mtx_list or primitive_array is missing");
                continue;
            }
            const std::vector<double> entries = list->TextNumbers().value_or(std::vector<double>{});
            Expect(*list, "size", Int(*list, "size"), static_cast<long>(entries.size()));
            for (double m : entries) {
                if (m < 0 || m >= static_cast<double>(matrices_.size())) Problem(*list, "a matrix out of range");
            }
            const std::vector<const ImdElement*> items = primitives->Children("primitive");
            Expect(*primitives, "size", Int(*primitives, "size"), static_cast<long>(items.size()));
            bool matrix_set = false;
            for (std::size_t p = 0; p < items.size(); ++p) {
                Expect(*items[p], "index", Int(*items[p], "index"), static_cast<long>(p));
                CheckPrimitive(*items[p], entries.size(), matrix_set, counted);
            }
        }
        Expect(polygon, "vertex_size", Int(polygon, "vertex_size"), counted.vertices);
        Expect(polygon, "triangle_size", Int(polygon, "triangle_size"), counted.triangles);
        Expect(polygon, "quad_size", Int(polygon, "quad_size"), counted.quads);
        Expect(polygon, "polygon_size", Int(polygon, "polygon_size"), counted.triangles + counted.quads);
        totals_.vertices += counted.vertices;
        totals_.triangles += counted.triangles;
        totals_.quads += counted.quads;
    }

    void CheckPrimitive(const ImdElement& primitive, std::size_t matrix_count, bool& matrix_set,
                        PolygonTotals& counted) {
        long vertices = 0;
        for (const ImdElement& command : primitive.children) {
            if (command.name == "mtx") {
                Index(command, "idx", matrix_count, false);
                matrix_set = true;
            } else if (IsPositionCommand(command.name)) {
                if (!matrix_set) Problem(command, "a vertex before the group's first mtx");
                if (command.name == "pos_idx") Index(command, "idx", position_count_, false);
                ++vertices;
            } else if (command.name == "clr_idx") {
                Index(command, "idx", color_count_, false);
            }
        }
        const long written = Int(primitive, "vertex_size");
        Expect(primitive, "vertex_size", written, vertices);
        const std::string& type = primitive.Attribute("type");
        const bool fits = type == "triangles"        ? vertices % 3 == 0
                          : type == "quads"          ? vertices % 4 == 0
                          : type == "triangle_strip" ? vertices >= 3
                          : type == "quad_strip"     ? vertices >= 4 && vertices % 2 == 0
                                                     : false;
        if (!fits) {
            Problem(primitive, "type \"" + type + "\" with " + std::to_string(vertices) + " vertices");
            return;
        }
        counted.vertices += vertices;
        if (type == "triangles") counted.triangles += vertices / 3;
        if (type == "quads") counted.quads += vertices / 4;
        if (type == "triangle_strip") counted.triangles += vertices - 2;
        if (type == "quad_strip") counted.quads += (vertices - 2) / 2;
    }

    void CheckNodes() {
        const std::size_t n = nodes_.size();
        std::vector<long> parent(n), child(n), next(n), prev(n);
        for (std::size_t i = 0; i < n; ++i) {
            parent[i] = Index(*nodes_[i], "parent", n, true);
            child[i] = Index(*nodes_[i], "child", n, true);
            next[i] = Index(*nodes_[i], "brother_next", n, true);
            prev[i] = Index(*nodes_[i], "brother_prev", n, true);
        }
        for (std::size_t i = 0; i < n; ++i) {
            const ImdElement& node = *nodes_[i];
            const long self = static_cast<long>(i);
            if (child[i] >= 0 && (parent[child[i]] != self || prev[child[i]] != -1)) {
                Problem(node, "its child's parent is not this node, or the child has a previous brother");
            }
            if (next[i] >= 0 && (prev[next[i]] != self || parent[next[i]] != parent[i])) {
                Problem(node, "brother_next does not point back, or has another parent");
            }
            if (prev[i] >= 0 && next[prev[i]] != self) Problem(node, "brother_prev does not point back");
        }
        // Walking the tree from the first root reaches every node once.
        std::vector<int> seen(n, 0);
        std::vector<long> stack;
        for (std::size_t i = 0; i < n; ++i) {
            if (parent[i] == -1 && prev[i] == -1) stack.push_back(static_cast<long>(i));
        }
        if (n > 0 && stack.size() != 1) {
            Problem(*body_, "the node tree has " + std::to_string(stack.size()) + " first roots");
        }
        while (!stack.empty()) {
            const long at = stack.back();
            stack.pop_back();
            if (at < 0 || ++seen[at] > 1) continue;
            for (long link : {child[at], next[at]}) {
                if (link >= 0) stack.push_back(link);
            }
        }
        for (std::size_t i = 0; i < n; ++i) {
            if (seen[i] != 1) Problem(*nodes_[i], "reached " + std::to_string(seen[i]) + " times from the root");
        }
        CheckDisplays();
    }

    void CheckDisplays() {
        std::vector<int> shown(polygons_.size(), 0);
        for (const ImdElement* node : nodes_) {
            const std::vector<const ImdElement*> displays = node->Children("display");
            Expect(*node, "display_size", Int(*node, "display_size"), static_cast<long>(displays.size()));
            PolygonTotals sum;
            for (std::size_t d = 0; d < displays.size(); ++d) {
                Expect(*displays[d], "index", Int(*displays[d], "index"), static_cast<long>(d));
                Index(*displays[d], "material", materials_.size(), false);
                const long polygon = Index(*displays[d], "polygon", polygons_.size(), false);
                if (polygon == kBad) continue;
                ++shown[polygon];
                sum.triangles += polygons_[polygon]->Int("triangle_size").value_or(0);
                sum.quads += polygons_[polygon]->Int("quad_size").value_or(0);
            }
            if (displays.empty()) continue;
            Expect(*node, "triangle_size", Int(*node, "triangle_size"), sum.triangles);
            Expect(*node, "quad_size", Int(*node, "quad_size"), sum.quads);
            Expect(*node, "polygon_size", Int(*node, "polygon_size"), sum.triangles + sum.quads);
        }
        for (std::size_t p = 0; p < polygons_.size(); ++p) {
            if (shown[p] != 1) Problem(*polygons_[p], "displayed by " + std::to_string(shown[p]) + " nodes");
        }
    }

    void CheckSummary() {
        const ImdElement* info = body_->Child("output_info");
        if (!info) {
            problems_.push_back("no output_info");
            return;
        }
        Expect(*info, "vertex_size", Int(*info, "vertex_size"), totals_.vertices);
        Expect(*info, "triangle_size", Int(*info, "triangle_size"), totals_.triangles);
        Expect(*info, "quad_size", Int(*info, "quad_size"), totals_.quads);
        Expect(*info, "polygon_size", Int(*info, "polygon_size"), totals_.triangles + totals_.quads);
        if (const ImdElement* model = body_->Child("model_info")) {
            const auto nodes = model->Numbers("node_size");
            const auto materials = model->Numbers("material_size");
            if (!nodes || nodes->size() != 2 || (*nodes)[1] != static_cast<double>(nodes_.size())) {
                Problem(*model, "node_size does not end with the node count");
            }
            if (!materials || materials->size() != 2 || (*materials)[1] != static_cast<double>(materials_.size())) {
                Problem(*model, "material_size does not end with the material count");
            }
        } else {
            problems_.push_back("no model_info");
        }
        if ((body_->Child("box_test") != nullptr) != !polygons_.empty()) {
            problems_.push_back("box_test is written without polygons or missing with them");
        }
    }

    const ImdElement* body_;
    std::vector<const ImdElement*> nodes_, materials_, images_, palettes_, matrices_, polygons_;
    long position_count_ = 0, color_count_ = 0;
    PolygonTotals totals_;
    std::vector<std::string> problems_;
};

}  // namespace

std::vector<std::string> ImdProblems(const ImdElement& imd) { return Checker(imd).Run(imd); }

}  // namespace korvo::test

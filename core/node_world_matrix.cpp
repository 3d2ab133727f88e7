#include "core/node_world_matrix.h"

#include <cmath>

#include "core/node_index.h"

namespace korvo {

namespace {

constexpr double kDegreesToRadians = 3.1415927410125732 / 180.0;

Affine Rotation(int axis, double degrees) {
    const double c = std::cos(degrees * kDegreesToRadians);
    const double s = std::sin(degrees * kDegreesToRadians);
    Affine r;
    const int a = (axis + 1) % 3, b = (axis + 2) % 3;  // the plane turned: YZ, ZX or XY
    r.m[a][a] = c;
    r.m[a][b] = -s;
    r.m[b][a] = s;
    r.m[b][b] = c;
    return r;
}

}  // namespace

Affine operator*(const Affine& a, const Affine& b) {
    Affine r;
    for (int i = 0; i < 3; ++i) {
        for (int j = 0; j < 4; ++j) {
            double sum = j == 3 ? a.m[i][3] : 0.0;
            for (int k = 0; k < 3; ++k) sum += a.m[i][k] * b.m[k][j];
            r.m[i][j] = sum;
        }
    }
    return r;
}

Vec3 Apply(const Affine& m, const Vec3& p) {
    double out[3];
    for (int i = 0; i < 3; ++i) out[i] = m.m[i][0] * p.x + m.m[i][1] * p.y + m.m[i][2] * p.z + m.m[i][3];
    return {static_cast<float>(out[0]), static_cast<float>(out[1]), static_cast<float>(out[2])};
}

Affine LocalMatrix(const Vec3& scale, const Vec3& rotate_degrees, const Vec3& translate) {
    Affine s;
    s.m[0][0] = scale.x;
    s.m[1][1] = scale.y;
    s.m[2][2] = scale.z;
    Affine r = Rotation(2, rotate_degrees.z) * Rotation(1, rotate_degrees.y) * Rotation(0, rotate_degrees.x) * s;
    r.m[0][3] = translate.x;
    r.m[1][3] = translate.y;
    r.m[2][3] = translate.z;
    return r;
}

std::vector<Affine> NodeWorldMatrices(const ExportScene& scene) {
    const NodeIndex node_index(scene);
    const std::size_t count = scene.nodes.size();
    std::vector<Affine> world(count);
    std::vector<char> state(count, 0);  // 0 to do, 1 in progress, 2 done
    std::vector<std::size_t> chain;
    for (std::size_t start = 0; start < count; ++start) {
        // Walk up to the first finished ancestor, then fill in on the way down.
        chain.clear();
        for (int32_t i = static_cast<int32_t>(start); i >= 0 && state[static_cast<std::size_t>(i)] == 0;
             i = node_index(scene.nodes[static_cast<std::size_t>(i)].parent)) {
            state[static_cast<std::size_t>(i)] = 1;
            chain.push_back(static_cast<std::size_t>(i));
        }
        for (auto it = chain.rbegin(); it != chain.rend(); ++it) {
            const ExportNode& node = scene.nodes[*it];
            const Affine local = LocalMatrix(node.scale, node.rotate, node.translate);
            const int32_t parent = node_index(node.parent);
            const bool parent_done = parent >= 0 && state[static_cast<std::size_t>(parent)] == 2;
            world[*it] = parent_done ? world[static_cast<std::size_t>(parent)] * local : local;
            state[*it] = 2;
        }
    }
    return world;
}

}  // namespace korvo

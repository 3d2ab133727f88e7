#include "extract/quad_building.h"

#include <gtest/gtest.h>

#include <cmath>
#include <random>
#include <optional>
#include <sstream>

#include "core/export_scene.h"

namespace korvo {
namespace {

// The scan the grid stands in for: every unused triangle in list order.
std::vector<int> PlainFirstMatchingPair(const std::vector<Vec3>& positions, const std::vector<NTriFace>& triangles,
                                        const QuadCorners& quad, const std::vector<char>& used) {
    std::vector<int> pair;
    for (std::size_t t = 0; t < triangles.size() && pair.size() < 2; ++t) {
        if (used[t]) continue;
        int matches = 0;
        for (uint16_t index : triangles[t].position) {
            const Vec3& p = positions[index];
            for (const Vec3& c : quad) {
                if (std::fabs(p.x - c.x) < 0.001f && std::fabs(p.y - c.y) < 0.001f && std::fabs(p.z - c.z) < 0.001f) {
                    ++matches;
                }
            }
        }
        if (matches >= 3) pair.push_back(static_cast<int>(t));
    }
    return pair;
}

void PlainRebuildQuads(ExportPolygon& polygon, const std::vector<QuadCorners>& candidates, bool checking) {
    std::vector<char> used(polygon.triangles.size(), 0);
    for (const QuadCorners& candidate : candidates) {
        if (checking && !QuadPassesChecks(candidate)) continue;
        const std::vector<int> pair = PlainFirstMatchingPair(polygon.positions, polygon.triangles, candidate, used);
        if (pair.size() != 2) continue;
        const auto first = static_cast<std::size_t>(pair[0]), second = static_cast<std::size_t>(pair[1]);
        const std::optional<NQuadFace> quad = JoinTriangles(polygon.triangles[first], polygon.triangles[second]);
        if (!quad) continue;
        used[first] = used[second] = 1;
        polygon.quads.push_back(*quad);
    }
    std::vector<NTriFace> kept;
    for (std::size_t t = 0; t < used.size(); ++t) {
        if (!used[t]) kept.push_back(polygon.triangles[t]);
    }
    polygon.triangles = kept;
}

template <class Face>
std::string Describe(const std::vector<Face>& faces) {
    std::ostringstream out;
    for (const Face& face : faces) {
        for (std::size_t c = 0; c < Face::kCorners; ++c) {
            out << face.position[c] << '/' << face.tex[c] << '/' << face.normal[c] << '/' << face.color[c] << ' ';
        }
        out << face.face_vector.x << ',' << face.face_vector.y << ',' << face.face_vector.z << '|';
    }
    return out.str();
}

// Coordinates that crowd around a few values and the grid's cell borders
// (multiples of 1/256), with offsets on both sides of the 0.001 tolerance.
class NearDuplicates {
public:
    explicit NearDuplicates(unsigned seed) : random_(seed) {}

    float Coordinate() {
        static const float kBases[] = {0.0f, 1.0f / 256, 2.0f / 256, -1.0f / 256, 0.5f, -3.25f, 1000.0f};
        static const float kOffsets[] = {0.0f, 0.0004f, -0.0004f, 0.0009f, -0.0009f, 0.00099f, 0.0011f, -0.0011f, 0.002f};
        return Pick(kBases) + Pick(kOffsets);
    }
    Vec3 Point() { return {Coordinate(), Coordinate(), Coordinate()}; }
    Vec3 Near(const Vec3& p) {
        static const float kNudges[] = {0.0f, 0.0005f, -0.0005f, 0.00095f, -0.0012f};
        return {p.x + Pick(kNudges), p.y + Pick(kNudges), p.z + Pick(kNudges)};
    }
    int Below(int n) { return std::uniform_int_distribution<int>(0, n - 1)(random_); }

private:
    template <std::size_t N>
    float Pick(const float (&values)[N]) {
        return values[static_cast<std::size_t>(Below(static_cast<int>(N)))];
    }
    std::mt19937 random_;
};

ExportPolygon RandomPolygon(NearDuplicates& random) {
    ExportPolygon polygon;
    const int position_count = 3 + random.Below(12);
    for (int i = 0; i < position_count; ++i) {
        polygon.positions.push_back(i > 0 && random.Below(3) == 0
                                        ? random.Near(polygon.positions[static_cast<std::size_t>(random.Below(i))])
                                        : random.Point());
    }
    const int triangle_count = 1 + random.Below(30);
    for (int t = 0; t < triangle_count; ++t) {
        NTriFace triangle;
        do {
            for (auto& p : triangle.position) p = static_cast<uint16_t>(random.Below(position_count));
        } while (triangle.position[0] == triangle.position[1] || triangle.position[1] == triangle.position[2] ||
                 triangle.position[0] == triangle.position[2]);
        for (std::size_t c = 0; c < 3; ++c) triangle.tex[c] = static_cast<uint16_t>(t * 3 + c);
        polygon.triangles.push_back(triangle);
    }
    return polygon;
}

QuadCorners RandomQuad(NearDuplicates& random, const ExportPolygon& polygon) {
    QuadCorners quad;
    for (Vec3& corner : quad) {
        corner = random.Below(4) == 0
                     ? random.Point()
                     : random.Near(polygon.positions[static_cast<std::size_t>(
                           random.Below(static_cast<int>(polygon.positions.size())))]);
    }
    return quad;
}

// The corner grid must give exactly what scanning every triangle gives,
// also as triangles get used up by earlier quads. Its speed on 100,000
// triangles is measured in bench/geometry_bench.cpp.
TEST(QuadBuilding, RebuildingGivesWhatThePlainScanGives) {
    int quads_made = 0;
    for (unsigned seed = 1; seed <= 400; ++seed) {
        NearDuplicates random(seed);
        const ExportPolygon original = RandomPolygon(random);
        std::vector<QuadCorners> candidates;
        for (int q = 0; q < 12; ++q) candidates.push_back(RandomQuad(random, original));
        const bool checking = seed % 2 == 0;

        ExportPolygon fast = original, plain = original;
        RebuildQuads(fast, candidates, checking);
        PlainRebuildQuads(plain, candidates, checking);
        ASSERT_EQ(Describe(fast.quads), Describe(plain.quads)) << "seed " << seed;
        ASSERT_EQ(Describe(fast.triangles), Describe(plain.triangles)) << "seed " << seed;
        quads_made += static_cast<int>(fast.quads.size());
    }
    // The inputs are dense enough to join triangles often.
    EXPECT_GT(quads_made, 100);
}

}  // namespace
}  // namespace korvo

#include <cmath>

#include "host/gltf/gltf_curve.h"
#include "host/gltf/gltf_test.h"

namespace korvo {
namespace {

using gltf::Curve;
using gltf::EvaluateCurve;
using gltf::Interpolation;
using test::GltfTest;

TEST(GltfCurveTest, EvaluatesStepLinearAndCubicSplineKeys) {
    Curve step{{0, 1, 2}, {10, 20, 30}, 1, Interpolation::kStep};
    EXPECT_EQ(EvaluateCurve(step, 1.99), std::vector<double>{20});
    EXPECT_EQ(EvaluateCurve(step, -5), std::vector<double>{10});
    EXPECT_EQ(EvaluateCurve(step, 7), std::vector<double>{30});

    Curve linear{{0, 2}, {0, 4, 8, 2, 0, 0}, 3, Interpolation::kLinear};
    EXPECT_EQ(EvaluateCurve(linear, 0.5), (std::vector<double>{0.5, 3, 6}));

    // In-tangent, value, out-tangent per key; tangents scale by the 2 s
    // interval: p(0.5) = 0.125 x 2 x 2 + 0.5 x 2 - 0.125 x 2 x 1 = 1.25.
    Curve cubic{{0, 2}, {0, 0, 2, 1, 2, 0}, 1, Interpolation::kCubicSpline};
    EXPECT_DOUBLE_EQ(EvaluateCurve(cubic, 1)[0], 1.25);
    EXPECT_DOUBLE_EQ(EvaluateCurve(cubic, 2)[0], 2);

    // Halfway from no turn to a quarter turn about Y is an eighth turn, and
    // the shorter arc is taken when the second key is stored negated.
    const double s = std::sin(M_PI / 4), c = std::cos(M_PI / 4);
    Curve rotation{{0, 1}, {0, 0, 0, 1, 0, -s, 0, -c}, 4, Interpolation::kLinear, true};
    const std::vector<double> half = EvaluateCurve(rotation, 0.5);
    EXPECT_NEAR(half[1], std::sin(M_PI / 8), 1e-12);
    EXPECT_NEAR(half[3], std::cos(M_PI / 8), 1e-12);
}

class GltfAnimationTest : public GltfTest {
protected:
    // Two animations moving node 0: "Walk" from 0.5 s to 1.25 s, "Run" from 0 s to 2 s.
    std::string TwoAnimations() {
        const int walk_times = file.Floats({0.5f, 1.25f}, "SCALAR");
        const int walk_moves = file.Floats({0, 0, 0, 0, 3, 0}, "VEC3");
        const int run_times = file.Floats({0, 2}, "SCALAR");
        const int run_turns = file.Floats({0, 0, 0, 1, 0, 1, 0, 0}, "VEC4");
        return file.Gltf(R"("nodes": [{"name": "Mover", "translation": [7, 0, 0]}], "animations": [
            {"name": "Walk", "channels": [{"sampler": 0, "target": {"node": 0, "path": "translation"}}],
             "samplers": [{"input": )" +
                         std::to_string(walk_times) + R"(, "output": )" + std::to_string(walk_moves) + R"(}]},
            {"name": "Run", "channels": [{"sampler": 0, "target": {"node": 0, "path": "rotation"}}],
             "samplers": [{"input": )" +
                         std::to_string(run_times) + R"(, "output": )" + std::to_string(run_turns) +
                         R"(, "interpolation": "STEP"}]}])");
    }
};

TEST_F(GltfAnimationTest, TheChosenAnimationIsSampledAtEveryFrameOfItsRange) {
    const std::string text = TwoAnimations();
    Load(text);
    EXPECT_EQ(scene->start_frame, 15);
    EXPECT_EQ(scene->end_frame, 38);  // 1.25 s x 30 = 37.5, covered by frame 38
    EXPECT_EQ(scene->ticks_per_frame, 160);
    const MemoryNode& mover = *Node("Mover");
    EXPECT_EQ(mover.position.keys.size(), 24u);
    // Frame 30 is 1 s: two thirds of the way to glTF y = 3.
    const Point3 at_one_second = mover.WorldTransform(30 * 160).GetTrans();
    EXPECT_NEAR(at_one_second.z, 2.0f, 1e-5f);
    EXPECT_EQ(mover.rotation.keys.size(), 1u);  // not animated by Walk

    options.animation = "Run";
    options.fps = 60;
    Load(text);
    EXPECT_EQ(scene->start_frame, 0);
    EXPECT_EQ(scene->end_frame, 120);
    EXPECT_EQ(scene->ticks_per_frame, 80);
    // Translation is the node's own; the STEP rotation holds until 2 s.
    EXPECT_EQ(Node("Mover")->WorldTransform(0).GetTrans(), (Point3{7, 0, 0}));
    EXPECT_EQ(Node("Mover")->rotation.At(119), Quat{});
    EXPECT_EQ(Node("Mover")->rotation.At(120), (Quat{0, 0, 1, 0}));  // glTF Y is host Z

    options.animation = "0";
    options.fps = 30;
    Load(text);
    EXPECT_EQ(scene->start_frame, 15);
    options.animation = "Fly";
    EXPECT_NE(ErrorOf(text).find("no animation \"Fly\" (the file has \"Walk\", \"Run\")"), std::string::npos) << error;
}

TEST_F(GltfTest, KeyTimesMustIncrease) {
    const int times = file.Floats({1, 0}, "SCALAR");
    const int values = file.Floats({0, 0, 0, 1, 1, 1}, "VEC3");
    EXPECT_NE(ErrorOf(file.Gltf(R"("nodes": [{}], "animations": [{"channels": [{"sampler": 0,
        "target": {"node": 0, "path": "scale"}}], "samplers": [{"input": )" +
                                std::to_string(times) + R"(, "output": )" + std::to_string(values) + "}]}]"))
                  .find("animations[0].samplers[0].input: key times must increase (key 1)"),
              std::string::npos)
        << error;
}

}  // namespace
}  // namespace korvo

#include <gtest/gtest.h>

#include "core/export_scene.h"
#include "core/log.h"
#include "core/progress.h"
#include "support/test_support.h"

namespace korvo {
namespace {

TEST(LogTest, KeepsEachTextOnceAndFlushesWithATimeLine) {
    test::RecordingFeedback feedback;
    ExportScene scene;
    scene.progress.feedback = &feedback;
    AddMessage(scene, "Warning: one");
    AddMessageF(scene, "Warning: %s %d", "two", 2);
    AddMessage(scene, "Warning: one");
    EXPECT_EQ(scene.messages, (std::vector<std::string>{"Warning: one", "Warning: two 2"}));

    feedback.now = {2024, 1, 2, 3, 4, 5};
    FlushLog(scene);
    EXPECT_EQ(feedback.listener, "[2024-01-02 T03:04:05]\nWarning: one\nWarning: two 2\n\n\n");
    EXPECT_EQ(feedback.listener_shows, 1);
    EXPECT_TRUE(scene.messages.empty());

    FlushLog(scene);
    EXPECT_EQ(feedback.listener_shows, 1) << "an empty log neither prints nor shows the listener";

    ReportError(scene, "No nodes in the scene", "Node Export Error");
    EXPECT_EQ(test::BoxLines(feedback.boxes), std::vector<std::string>{"Node Export Error: No nodes in the scene"});
}

TEST(ProgressTest, AdvancesWithoutRepeatsAndNeverReachesAHundredEarly) {
    test::RecordingFeedback feedback;
    ExportScene scene;
    scene.progress.feedback = &feedback;
    ProgressStart(scene, 8);
    EXPECT_FLOAT_EQ(StepSize(scene, 4), 100.0f / 8 / 4);
    EXPECT_EQ(StepSize(scene, 0), 0.0f);

    for (int i = 0; i < 1000; ++i) Advance(scene, 0.5f, "IMD: Exporting Nodes");
    EXPECT_FLOAT_EQ(scene.progress.current, 99.9f);
    // 0.5 per call: one call per new whole percent shows a new text.
    EXPECT_EQ(feedback.progress_texts.size(), 100u);
    EXPECT_EQ(feedback.progress_texts.front(), "IMD: Exporting Nodes (0%)");
    EXPECT_EQ(feedback.progress_texts.back(), "IMD: Exporting Nodes (99%)");

    feedback.progress_texts.clear();
    FinishStep(scene, "IMD: Exporting Nodes");
    EXPECT_EQ(feedback.progress_texts, std::vector<std::string>{"IMD: Exporting Nodes (12%)"});

    feedback.progress_percents.clear();
    Advance(scene, 0.1f);
    Advance(scene, 0.1f);
    Advance(scene, 1.0f);
    EXPECT_EQ(feedback.progress_percents, (std::vector<int>{12, 13})) << "only a new whole percentage is shown";
}

TEST(ProgressTest, RefusesToCancel) {
    test::RecordingFeedback feedback;
    ExportScene scene;
    scene.progress.feedback = &feedback;
    ProgressStart(scene, 8);
    feedback.cancel_requested = true;
    EXPECT_TRUE(Advance(scene, 1.0f, "Exporting Nodes"));
    EXPECT_EQ(test::BoxLines(feedback.boxes),
              std::vector<std::string>{"(information) Not Supported: Cancelling export is not currently supported."});
    EXPECT_FALSE(feedback.cancel_requested);
}

}  // namespace
}  // namespace korvo

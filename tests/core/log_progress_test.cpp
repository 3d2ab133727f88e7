#include <gtest/gtest.h>

#include "core/diagnostics.h"
#include "core/progress.h"
#include "core/run_log.h"
#include "support/reports.h"
#include "support/test_support.h"

namespace korvo {
namespace {

TEST(LogTest, KeepsEachTextOnceAndFlushesWithATimeLine) {
    RunLog log;
    Diagnostics diagnostics([&log](const Diagnostic& report) { log.Add(report.text); });
    diagnostics.Warn("Warning: one");
    diagnostics.WarnF("Warning: %s %d", "two", 2);
    diagnostics.Warn("Warning: one");
    EXPECT_EQ(log.messages(), (std::vector<std::string>{"Warning: one", "Warning: two 2"}));

    test::RecordingFeedback feedback;
    feedback.now = {2024, 1, 2, 3, 4, 5};
    log.Flush(feedback);
    EXPECT_EQ(feedback.listener, "[2024-01-02 T03:04:05]\nWarning: one\nWarning: two 2\n\n\n");
    EXPECT_EQ(feedback.listener_shows, 1);
    EXPECT_TRUE(log.messages().empty());

    log.Flush(feedback);
    EXPECT_EQ(feedback.listener_shows, 1) << "an empty log neither prints nor shows the listener";
}

TEST(ProgressTest, AdvancesWithoutRepeatsAndNeverReachesAHundredEarly) {
    test::ShownProgress shown(8);
    Progress& progress = shown.progress;
    EXPECT_EQ(progress.StepSize(0), 0.0f);
    for (int i = 0; i < 1000; ++i) progress.Advance(0.5f, "IMD: Exporting Nodes");
    EXPECT_FLOAT_EQ(progress.percent(), 99.9f);
    // 0.5 per call: one call per new whole percent shows a new text.
    EXPECT_EQ(shown.texts.size(), 100u);
    EXPECT_EQ(shown.texts.front(), "IMD: Exporting Nodes (0%)");
    EXPECT_EQ(shown.texts.back(), "IMD: Exporting Nodes (99%)");

    shown.texts.clear();
    progress.FinishStep("IMD: Exporting Nodes");
    EXPECT_EQ(shown.texts, std::vector<std::string>{"IMD: Exporting Nodes (12%)"});

    shown.percents.clear();
    progress.Advance(0.1f);
    progress.Advance(0.1f);
    progress.Advance(1.0f);
    EXPECT_EQ(shown.percents, (std::vector<int>{12, 13})) << "only a new whole percentage is shown";
}

}  // namespace
}  // namespace korvo

#include "core/progress.h"

#include <cstdio>

#include "core/export_scene.h"
#include "core/feedback.h"

namespace korvo {

namespace {

std::string Compose(std::string_view text, float percent) {
    char buffer[32];
    std::snprintf(buffer, sizeof buffer, " (%d%%)", static_cast<int>(percent));
    return std::string(text) + buffer;
}

// Shows a phase text with the percentage, or the percentage alone, unless
// the display would not change.
void Show(Progress& p, std::string_view text, bool show_percent) {
    const int whole = static_cast<int>(p.current);
    if (!text.empty()) {
        std::string composed = Compose(text, p.current);
        if (composed == p.last_text) return;
        if (p.feedback) p.feedback->ProgressUpdate(whole, false, composed);
        p.last_text = std::move(composed);
    } else if (whole != p.last_whole) {
        if (p.feedback) p.feedback->ProgressUpdate(whole, show_percent, "");
        p.last_whole = whole;
    }
}

}  // namespace

int TotalSteps(const ExportOptions& options) {
    const OutputSelection& out = options.outputs;
    int total = 7;
    if (out.imd) total += 9;
    for (bool on : {out.ica, out.iva, out.ima, out.ita, out.itp}) {
        if (on) total += 3;
    }
    if (out.isd) total += 2;
    const bool two_passes = options.compress_node == NodeCompression::Merge ||
                            options.compress_node == NodeCompression::UniteCombine;
    total += two_passes ? 2 : 1;
    if (options.use_primitive_strip) total += 1;
    return total;
}

void ProgressStart(ExportScene& scene, int total_steps) {
    Progress& p = scene.progress;
    p.total_steps = total_steps;
    p.finished_steps = 0;
    p.current = 0.0f;
    p.last_whole = 0;
    p.last_text.clear();
    if (p.feedback) p.feedback->ProgressStart("Exporting Korvo Data");
}

float StepSize(const ExportScene& scene, int n) {
    const int total = scene.progress.total_steps;
    if (total <= 0 || n < 1) return 0.0f;
    return 100.0f / static_cast<float>(total) / static_cast<float>(n);
}

bool Advance(ExportScene& scene, float increment, std::string_view text) {
    Progress& p = scene.progress;
    p.current += increment;
    if (p.current > 99.9f) p.current = 99.9f;
    Show(p, text, false);
    if (p.feedback && p.feedback->CancelRequested()) {
        p.feedback->MessageBox("Cancelling export is not currently supported.", "Not Supported",
                               MessageStyle::Information);
        p.feedback->ClearCancel();
    }
    return true;
}

void FinishStep(ExportScene& scene, std::string_view text) {
    Progress& p = scene.progress;
    p.finished_steps += 1;
    if (p.total_steps > 0) p.current = 100.0f / static_cast<float>(p.total_steps) * static_cast<float>(p.finished_steps);
    Show(p, text, true);
}

void ProgressEnd(ExportScene& scene) {
    if (scene.progress.feedback) scene.progress.feedback->ProgressEnd();
}

}  // namespace korvo

#include "core/progress.h"

#include <cstdio>

#include "core/export_options.h"

namespace korvo {

Progress::Progress(int total_steps, ProgressCallback show, std::function<void()> after_advance)
    : total_steps_(total_steps), show_(std::move(show)), after_advance_(std::move(after_advance)) {}

float Progress::StepSize(int n) const {
    if (total_steps_ <= 0 || n < 1) return 0.0f;
    return 100.0f / static_cast<float>(total_steps_) / static_cast<float>(n);
}

void Progress::Advance(float increment, std::string_view text) {
    current_ += increment;
    if (current_ > 99.9f) current_ = 99.9f;
    Show(text, false);
    if (after_advance_) after_advance_();
}

void Progress::FinishStep(std::string_view text) {
    finished_steps_ += 1;
    if (total_steps_ > 0) {
        current_ = 100.0f / static_cast<float>(total_steps_) * static_cast<float>(finished_steps_);
    }
    Show(text, true);
}

// Shows a phase text with the percentage, or the percentage alone, unless
// the display would not change.
void Progress::Show(std::string_view text, bool show_percent) {
    const int whole = static_cast<int>(current_);
    if (!text.empty()) {
        char percent[32];
        std::snprintf(percent, sizeof percent, " (%d%%)", whole);
        std::string composed = std::string(text) + percent;
        if (composed == last_text_) return;
        if (show_) show_(whole, false, composed);
        last_text_ = std::move(composed);
    } else if (whole != last_whole_) {
        if (show_) show_(whole, show_percent, "");
        last_whole_ = whole;
    }
}

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

}  // namespace korvo

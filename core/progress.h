#pragma once
// Progress over a whole export run. The run is split into a fixed number
// of steps; a stage splits its step into items, advances once per item and
// finishes the step at its end. The display is a callback, told only when
// what it shows would change.

#include <functional>
#include <string>
#include <string_view>

namespace korvo {

struct ExportOptions;

// The whole percentage, whether to show it as a number, and the phase text
// with the percentage ("%s (%d%%)"), empty when the percentage is shown
// alone.
using ProgressCallback = std::function<void(int percent, bool show_percent, const std::string& text)>;

class Progress {
public:
    // Shows nothing.
    Progress() = default;
    // after_advance runs after every advance, changed display or not: the
    // place to refuse a cancel request.
    Progress(int total_steps, ProgressCallback show, std::function<void()> after_advance = {});

    // The share of one item when a step is split into n items.
    float StepSize(int n) const;
    // Moves on by increment percent, never past 99.9 before a step
    // finishes; an empty text shows the percentage alone.
    void Advance(float increment, std::string_view text = {});
    void FinishStep(std::string_view text = {});

    float percent() const { return current_; }

private:
    void Show(std::string_view text, bool show_percent);

    int total_steps_ = 0;
    int finished_steps_ = 0;
    float current_ = 0.0f;
    int last_whole_ = 0;
    std::string last_text_;
    ProgressCallback show_;
    std::function<void()> after_advance_;
};

// The run's step count for its options.
int TotalSteps(const ExportOptions& options);

}  // namespace korvo

#pragma once
// Progress over a whole export run. The run is split into a fixed number
// of steps; a stage splits its step into items, advances once per item and
// finishes the step at its end.

#include <string>
#include <string_view>

namespace korvo {

class Feedback;
struct ExportOptions;
struct ExportScene;

struct Progress {
    Feedback* feedback = nullptr;
    float current = 0.0f;  // percent
    int last_whole = 0;    // last whole percentage shown
    int total_steps = 0;
    int finished_steps = 0;
    std::string last_text;
};

// Opens the display for a run of total_steps steps.
void ProgressStart(ExportScene& scene, int total_steps);
// The share of one item when a step is split into n items.
float StepSize(const ExportScene& scene, int n);
// Moves on by increment percent; an empty text shows the percentage alone.
// A cancel request is refused: exports cannot be cancelled.
bool Advance(ExportScene& scene, float increment, std::string_view text = {});
void FinishStep(ExportScene& scene, std::string_view text = {});
void ProgressEnd(ExportScene& scene);

// The run's step count for its options.
int TotalSteps(const ExportOptions& options);

}  // namespace korvo

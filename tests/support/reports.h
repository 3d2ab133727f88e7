#pragma once
// What a stage reported and what its progress display was shown.

#include <string>
#include <vector>

#include "core/diagnostics.h"
#include "core/progress.h"

namespace korvo::test {

// Every report a stage made, in order; hand out diagnostics.
class Reports {
public:
    Reports() = default;
    Reports(const Reports&) = delete;
    Reports& operator=(const Reports&) = delete;

    Diagnostics diagnostics{[this](const Diagnostic& report) { all.push_back(report); }};
    std::vector<Diagnostic> all;

    // The texts of the warnings, repeats included.
    std::vector<std::string> Warnings() const {
        std::vector<std::string> texts;
        for (const Diagnostic& report : all) {
            if (report.severity == Severity::Warning) texts.push_back(report.text);
        }
        return texts;
    }
    // Each error as "caption: text".
    std::vector<std::string> Errors() const {
        std::vector<std::string> lines;
        for (const Diagnostic& report : all) {
            if (report.severity == Severity::Error) lines.push_back(report.caption + ": " + report.text);
        }
        return lines;
    }
};

// A progress display that keeps what it was shown.
class ShownProgress {
public:
    explicit ShownProgress(int total_steps = 8)
        : progress(total_steps, [this](int percent, bool, const std::string& text) {
              percents.push_back(percent);
              texts.push_back(text);
          }) {}
    ShownProgress(const ShownProgress&) = delete;
    ShownProgress& operator=(const ShownProgress&) = delete;

    Progress progress;
    std::vector<std::string> texts;  // empty where the percentage was shown alone
    std::vector<int> percents;
};

}  // namespace korvo::test

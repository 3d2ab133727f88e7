#pragma once
// What a run reports besides its files: warnings, and errors that stop a
// stage (shown as message boxes: they carry a caption). Stages report
// through a Diagnostics, which hands every report, in order and with its
// exact text, to the sink its caller supplied: the driver builds the run's
// log and its message boxes from them, a test reads them.

#include <functional>
#include <string>
#include <utility>

namespace korvo {

enum class Severity { Warning, Error };

struct Diagnostic {
    Severity severity = Severity::Warning;
    std::string text;
    std::string caption;  // errors: the message box's title

    friend bool operator==(const Diagnostic&, const Diagnostic&) = default;
};

using DiagnosticSink = std::function<void(const Diagnostic&)>;

class Diagnostics {
public:
    // Without a sink, reports go nowhere.
    Diagnostics() = default;
    explicit Diagnostics(DiagnosticSink sink) : sink_(std::move(sink)) {}

    void Warn(std::string text);
    // Formats with printf conventions, then warns.
    void WarnF(const char* format, ...) __attribute__((format(printf, 2, 3)));
    void Error(std::string text, std::string caption);

private:
    DiagnosticSink sink_;
};

}  // namespace korvo

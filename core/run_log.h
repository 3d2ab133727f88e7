#pragma once
// The run's log: every warning of the run once, in order of first report,
// printed to the host's script listener when the run ends.

#include <string>
#include <vector>

namespace korvo {

class Feedback;

class RunLog {
public:
    // Appends text unless an equal text is already in the log.
    void Add(std::string text);
    const std::vector<std::string>& messages() const { return messages_; }

    // When the log is not empty: prints a time line, every message and a
    // blank line to the listener, shows it, and empties the log.
    void Flush(Feedback& out);

private:
    std::vector<std::string> messages_;
};

// "[%d-%.2d-%.2d T%.2d:%.2d:%.2d]": the line that stamps a run's log.
std::string FormatLogTimeLine(int year, int month, int day, int hour, int minute, int second);

}  // namespace korvo

#include "core/run_log.h"

#include <algorithm>
#include <cstdio>

#include "core/feedback.h"

namespace korvo {

void RunLog::Add(std::string text) {
    if (std::find(messages_.begin(), messages_.end(), text) == messages_.end()) messages_.push_back(std::move(text));
}

void RunLog::Flush(Feedback& out) {
    if (messages_.empty()) return;
    const LocalTime now = out.Now();
    out.ListenerPrint(FormatLogTimeLine(now.year, now.month, now.day, now.hour, now.minute, now.second) + "\n");
    for (const std::string& line : messages_) out.ListenerPrint(line + "\n");
    out.ListenerPrint("\n\n");
    out.ListenerShow();
    messages_.clear();
}

std::string FormatLogTimeLine(int year, int month, int day, int hour, int minute, int second) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "[%d-%.2d-%.2d T%.2d:%.2d:%.2d]", year, month, day, hour, minute, second);
    return buffer;
}

}  // namespace korvo

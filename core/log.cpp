#include "core/log.h"

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <vector>

#include "core/export_scene.h"
#include "core/format.h"
#include "core/feedback.h"

namespace korvo {

void AddMessage(ExportScene& scene, std::string text) {
    auto& list = scene.messages;
    if (std::find(list.begin(), list.end(), text) == list.end()) list.push_back(std::move(text));
}

void AddMessageF(ExportScene& scene, const char* format, ...) {
    std::string text;
    va_list args;
    va_start(args, format);
    AppendFormatV(text, format, args);
    va_end(args);
    AddMessage(scene, std::move(text));
}

void ReportError(ExportScene& scene, const std::string& text, const std::string& caption) {
    if (scene.progress.feedback) scene.progress.feedback->MessageBox(text, caption, MessageStyle::Error);
}

std::string FormatLogTimeLine(int year, int month, int day, int hour, int minute, int second) {
    char buffer[64];
    std::snprintf(buffer, sizeof buffer, "[%d-%.2d-%.2d T%.2d:%.2d:%.2d]", year, month, day, hour, minute, second);
    return buffer;
}

void FlushLog(ExportScene& scene) {
    if (scene.messages.empty()) return;
    Feedback* out = scene.progress.feedback;
    if (out) {
        const LocalTime now = out->Now();
        out->ListenerPrint(FormatLogTimeLine(now.year, now.month, now.day, now.hour, now.minute, now.second) + "\n");
        for (const std::string& line : scene.messages) out->ListenerPrint(line + "\n");
        out->ListenerPrint("\n\n");
        out->ListenerShow();
    }
    scene.messages.clear();
}

}  // namespace korvo

#pragma once
// The run's message log and its error reports.

#include <string>

namespace korvo {

struct ExportScene;

// Appends a warning or note unless the same text is already in the list.
void AddMessage(ExportScene& scene, std::string text);
// Formats with printf conventions, then adds.
void AddMessageF(ExportScene& scene, const char* format, ...) __attribute__((format(printf, 2, 3)));

// An error that stops a stage: a message box with the error style (in a
// batch run the batch's feedback turns it into a log line).
void ReportError(ExportScene& scene, const std::string& text, const std::string& caption);

// Ends the run's log: when there are messages, prints a time line, every
// message and a blank line to the listener and shows it; empties the list.
void FlushLog(ExportScene& scene);

// "%d-%.2d-%.2d" style helpers shared by everything that stamps a time.
std::string FormatLogTimeLine(int year, int month, int day, int hour, int minute, int second);

}  // namespace korvo

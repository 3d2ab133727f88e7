#pragma once
// Shared helpers for the tests: temporary folders, whole-file reads and
// writes, and a Feedback that records what a run said.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "core/export_options.h"
#include "core/feedback.h"

namespace korvo::test {

// A fresh folder under the system's temporary folder, removed with its
// contents when the object goes.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return path_; }
    std::string file(const std::string& name) const { return (path_ / name).string(); }

private:
    std::filesystem::path path_;
};

std::string ReadFile(const std::string& path);
void WriteFile(const std::string& path, const std::string& bytes);
// Path of a file in the repository or in the shared assets.
std::string SourcePath(const std::string& relative);
std::string AssetPath(const std::string& relative);

// Frames start..end of a host scene that starts at frame start.
inline FrameRange Frames(int start, int end) { return {start, end, start, end - start + 1}; }

// Succeeds when part occurs in text; shows both when it does not.
inline ::testing::AssertionResult Contains(const std::string& text, const std::string& part) {
    if (text.find(part) != std::string::npos) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "no \"" << part << "\" in \"" << text << "\"";
}

struct RecordedBox {
    std::string text, caption;
    MessageStyle style;
};

// Records everything a run says. Base is Feedback, or Host for a test host.
template <class Base>
class Recording : public Base {
public:
    void ProgressStart(const std::string& title) override { progress_titles.push_back(title); }
    void ProgressUpdate(int percent, bool, const std::string& text) override {
        progress_percents.push_back(percent);
        progress_texts.push_back(text);
    }
    void ProgressEnd() override { ++progress_ends; }
    bool CancelRequested() override { return cancel_requested; }
    void ClearCancel() override { cancel_requested = false; }
    void MessageBox(const std::string& text, const std::string& caption, MessageStyle style) override {
        boxes.push_back({text, caption, style});
    }
    void ListenerPrint(const std::string& text) override { listener += text; }
    void ListenerShow() override { ++listener_shows; }
    LocalTime Now() const override { return now; }

    std::vector<std::string> progress_titles;
    std::vector<int> progress_percents;
    std::vector<std::string> progress_texts;
    int progress_ends = 0;
    bool cancel_requested = false;
    std::vector<RecordedBox> boxes;
    std::string listener;
    int listener_shows = 0;
    LocalTime now{2009, 7, 8, 14, 5, 9};
};

using RecordingFeedback = Recording<Feedback>;

// Each box as "caption: text", marked "(information) " when not an error.
inline std::vector<std::string> BoxLines(const std::vector<RecordedBox>& boxes) {
    std::vector<std::string> lines;
    for (const RecordedBox& box : boxes) {
        lines.push_back((box.style == MessageStyle::Error ? "" : "(information) ") + box.caption + ": " + box.text);
    }
    return lines;
}

}  // namespace korvo::test

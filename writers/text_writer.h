#pragma once
// The text of one output file, built in memory and written out whole:
// converted to Shift_JIS and put in place atomically, so that a failed
// export never leaves half a file behind.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

#include "core/diagnostics.h"
#include "writers/file_frame.h"

namespace korvo {

class TextWriter {
public:
    void Write(std::string_view text) { text_ += text; }
    void Printf(const char* format, ...) __attribute__((format(printf, 2, 3)));

    // UTF-8.
    const std::string& text() const { return text_; }

private:
    std::string text_;
};

// When path is an existing read-only file, logs a warning and returns false;
// the file must then be left as it is.
bool CheckNotReadOnly(Diagnostics& diagnostics, const std::string& path);

// Encodes text as Shift_JIS (logging a warning when characters had to be
// replaced) and writes it to path atomically; logs a warning and returns
// false when the file cannot be written.
bool CommitTextFile(Diagnostics& diagnostics, const std::string& path, const std::string& text);

// Writes the body of a file between the head and the body close. Returns
// false when the file must not be written (the reason is already logged or
// shown).
using BodyWriter = std::function<bool(TextWriter&)>;

// The whole text of one file (UTF-8): head, body, body close; nothing when
// the body fails.
std::optional<std::string> FramedText(FileKind kind, const Provenance& provenance, const BodyWriter& write_body);

// The whole life of one intermediate file: read-only check, head, body,
// body close, commit. Nothing reaches the disk before the body has
// succeeded, so work a writer must do before its head can go at the start
// of the body.
bool WriteFramedFile(Diagnostics& diagnostics, const std::string& path, FileKind kind, const Provenance& provenance,
                     const BodyWriter& write_body);

}  // namespace korvo

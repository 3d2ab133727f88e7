#include "writers/text_writer.h"

#include <cstdarg>
#include "core/atomic_file.h"
#include "core/format.h"
#include "core/text_encoding.h"

namespace korvo {

void TextWriter::Printf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    AppendFormatV(text_, format, args);
    va_end(args);
}

bool CheckNotReadOnly(Diagnostics& diagnostics, const std::string& path) {
    if (!IsReadOnlyFile(path)) return true;
    diagnostics.WarnF("Warning: Can't write to read-only file. %s", path.c_str());
    return false;
}

bool CommitTextFile(Diagnostics& diagnostics, const std::string& path, const std::string& text) {
    const ShiftJisResult encoded = EncodeShiftJis(text);
    if (encoded.replaced > 0) {
        diagnostics.WarnF("Warning: Characters that Shift_JIS cannot hold were written as \"?\". %s", path.c_str());
    }
    std::string error;
    if (!WriteFileAtomically(path, encoded.bytes, &error)) {
        // The error names the path and the reason.
        diagnostics.WarnF("Warning: Can't write file. %s", error.c_str());
        return false;
    }
    return true;
}

std::optional<std::string> FramedText(FileKind kind, const Provenance& provenance, const BodyWriter& write_body) {
    TextWriter out;
    WriteHead(out, kind, provenance);
    if (!write_body(out)) return std::nullopt;
    WriteBodyClose(out, kind);
    return out.text();
}

bool WriteFramedFile(Diagnostics& diagnostics, const std::string& path, FileKind kind, const Provenance& provenance,
                     const BodyWriter& write_body) {
    if (!CheckNotReadOnly(diagnostics, path)) return false;
    const std::optional<std::string> text = FramedText(kind, provenance, write_body);
    return text && CommitTextFile(diagnostics, path, *text);
}

}  // namespace korvo

#include "writers/text_writer.h"

#include <cstdarg>
#include <cstdio>

#include "core/atomic_file.h"
#include "core/log.h"
#include "core/text_encoding.h"

namespace korvo {

void TextWriter::Printf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    va_list copy;
    va_copy(copy, args);
    const int size = std::vsnprintf(nullptr, 0, format, copy);
    va_end(copy);
    if (size > 0) {
        const std::size_t start = text_.size();
        text_.resize(start + static_cast<std::size_t>(size));
        // The terminating zero lands on text_[size()], which std::string
        // keeps for it.
        std::vsnprintf(text_.data() + start, static_cast<std::size_t>(size) + 1, format, args);
    }
    va_end(args);
}

bool CheckNotReadOnly(ExportScene& scene, const std::string& path) {
    if (!IsReadOnlyFile(path)) return true;
    AddMessageF(scene, "Warning: Can't write to read-only file. %s", path.c_str());
    return false;
}

bool CommitTextFile(ExportScene& scene, const std::string& path, const TextWriter& text) {
    const ShiftJisResult encoded = EncodeShiftJis(text.text());
    if (encoded.replaced > 0) {
        AddMessageF(scene, "Warning: Characters that Shift_JIS cannot hold were written as \"?\". %s", path.c_str());
    }
    std::string error;
    if (!WriteFileAtomically(path, encoded.bytes, &error)) {
        // The error names the path and the reason.
        AddMessageF(scene, "Warning: Can't write file. %s", error.c_str());
        return false;
    }
    return true;
}

bool WriteFramedFile(ExportScene& scene, const std::string& path, FileKind kind, const Provenance& provenance,
                     const BodyWriter& write_body) {
    if (!CheckNotReadOnly(scene, path)) return false;
    TextWriter out;
    WriteHead(out, kind, provenance);
    if (!write_body(out)) return false;
    WriteBodyClose(out, kind);
    return CommitTextFile(scene, path, out);
}

}  // namespace korvo

#include "writers/text_writer.h"

#include <cstdarg>
#include "core/atomic_file.h"
#include "core/format.h"
#include "core/log.h"
#include "core/text_encoding.h"

namespace korvo {

void TextWriter::Printf(const char* format, ...) {
    va_list args;
    va_start(args, format);
    AppendFormatV(text_, format, args);
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

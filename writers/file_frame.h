#pragma once
// The frame shared by every intermediate file: XML declaration, root
// element, head block, the two provenance lines at the top of the body, and
// the closing tags.

#include <string>

#include "core/feedback.h"

namespace korvo {

class TextWriter;

enum class FileKind { Model = 0, CharacterAnimation, VisibilityAnimation, MaterialColorAnimation,
                      TexturePatternAnimation, TextureSrtAnimation, SceneData };

struct FileKindInfo {
    const char* root;       // root element, also the file extension
    const char* version;
    const char* title;
};

const FileKindInfo& KindInfo(FileKind kind);

// Who wrote the file, where, when and from what; gathered anew for every
// file.
struct Provenance {
    std::string user;
    std::string host;
    std::string date;    // "%d-%.2d-%.2dT%.2d:%.2d:%.2d"
    std::string source;  // the scene file name; "untitled" when empty
};

std::string FormatProvenanceDate(const LocalTime& time);

void WriteHead(TextWriter& out, FileKind kind, const Provenance& provenance);
void WriteBodyClose(TextWriter& out, FileKind kind);

}  // namespace korvo

#pragma once
// Path text as the exporter handles it: "/" inside the program, either
// separator accepted on input (paths may come from Windows-made files).

#include <string>
#include <string_view>

namespace korvo {

std::string ToForwardSlashes(std::string_view path);

// The part after the last "/" or "\"; the whole path when there is none.
std::string FileNamePart(std::string_view path);
// The part before the last "/" or "\"; empty when there is none.
std::string FolderPart(std::string_view path);

// folder + "/" + name; an empty folder means the current folder, giving
// name alone.
std::string JoinPath(std::string_view folder, std::string_view name);

// Replaces the extension of the file name part (the text after its last
// "."), or appends one when it has none. extension comes without the dot.
std::string ReplaceExtension(std::string_view path, std::string_view extension);

}  // namespace korvo

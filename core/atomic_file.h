#pragma once
// Files written whole or not at all: the bytes go to a temporary file beside
// the target, which is renamed over the target only when complete.

#include <string>
#include <string_view>

namespace korvo {

// Writes bytes to path atomically. On failure the previous file (if any) is
// untouched, no temporary file is left behind, and error says why.
bool WriteFileAtomically(const std::string& path, std::string_view bytes, std::string* error = nullptr);

// True when path names an existing file whose owner write permission is
// off. (Tested by mode, not by access(): the program may run as root.)
bool IsReadOnlyFile(const std::string& path);

}  // namespace korvo

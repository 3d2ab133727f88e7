#pragma once
// Image file lists (".ifl"): text files naming one image per line, each
// shown for a number of frames.
//
//   ; comment            # comment
//   walk01.tga 3         (3 frames)
//   walk02.tga           (1 frame)

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/diagnostics.h"
#include "core/export_scene.h"
#include "extract/texture_paths.h"

namespace korvo {

struct ImageFileListEntry {
    std::string name;  // as written in the list
    int32_t frames = 1;
};

struct ImageFileList {
    std::vector<ImageFileListEntry> entries;
    // A line held a frame count but no image name, or a count that is no
    // 32-bit number.
    bool malformed = false;
};

// Lines longer than this are read in pieces of this length.
inline constexpr std::size_t kImageFileListLineLength = 519;

// Parses list text (already decoded to UTF-8).
ImageFileList ParseImageFileList(std::string_view text);

// The list file's text decoded to UTF-8; nothing when it cannot be read
// (missing, not a regular file, or too large to be a list).
std::optional<std::string> ReadImageFileListText(const std::string& path);

// The number of entries; -1 when the file cannot be read or a line is
// malformed.
int CountImageFileList(const std::string& path);

// Where an entry's image is: the entry itself when absolute, its file name
// beside the list, the entry resolved as a texture name, or its file name
// in a map directory; the first that exists. Empty when none does.
std::string FindImageFileListEntry(const TextureSearch& search, const std::string& list_path,
                                   const std::string& entry);

// Reads the list into resolved image paths and their frame counts. On
// failure the error has been reported.
bool ReadImageFileList(Diagnostics& diagnostics, const TextureSearch& search, const std::string& list_path,
                       std::vector<std::string>& images, std::vector<int32_t>& frames);

}  // namespace korvo

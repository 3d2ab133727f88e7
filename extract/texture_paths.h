#pragma once
// Where texture files are looked for. Paths keep the host's form: a
// relative name is joined to its folder with a backslash, as the host
// writes them, and that text is what materials and textures are matched
// by. This program runs on Unix, where "\" is not a separator, so every
// test for a file's existence (and every open) first turns "\" into "/";
// for the same reason a name that begins with "/" counts as absolute here.

#include <string>
#include <string_view>
#include <vector>

#include "host/host.h"

namespace korvo {

// What path resolution needs to know about the host's current state.
struct TextureSearch {
    std::string project_folder;
    std::string scene_file_path;
    std::vector<std::string> map_directories;  // the bitmap manager's, in order
};

TextureSearch TextureSearchOf(HostScene& scene);

// A drive letter ("c:..."), a network path ("\\server" or "//server"), or
// a rooted Unix path.
bool IsAbsoluteTexturePath(std::string_view name);

// The folder of the scene file: the text before its last "\" or "/", "."
// when there is none.
std::string SceneFolder(std::string_view scene_file_path);

// folder + "\" + name.
std::string JoinHostPath(std::string_view folder, std::string_view name);

// The name as it is when absolute; else in the project folder when a file
// of that name is there; else in the scene's folder.
std::string ResolveTexturePath(const TextureSearch& search, const std::string& name);

// The path as the file system takes it ("\" read as "/").
std::string FileSystemPath(std::string_view path);
// An existing regular file (not a folder).
bool TextureFileExists(std::string_view path);

// The text after the last "." of the file name part equals extension
// exactly (case matters).
bool HasExtension(std::string_view path, std::string_view extension);

}  // namespace korvo

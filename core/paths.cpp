#include "core/paths.h"

#include <algorithm>

namespace korvo {

namespace {

std::size_t LastSeparator(std::string_view path) { return path.find_last_of("/\\"); }

}  // namespace

std::string ToForwardSlashes(std::string_view path) {
    std::string result(path);
    std::replace(result.begin(), result.end(), '\\', '/');
    return result;
}

std::string FileNamePart(std::string_view path) {
    const std::size_t separator = LastSeparator(path);
    return std::string(separator == std::string_view::npos ? path : path.substr(separator + 1));
}

std::string FolderPart(std::string_view path) {
    const std::size_t separator = LastSeparator(path);
    return std::string(separator == std::string_view::npos ? std::string_view{} : path.substr(0, separator));
}

std::string JoinPath(std::string_view folder, std::string_view name) {
    if (folder.empty()) return std::string(name);
    std::string result(folder);
    if (result.back() != '/') result += '/';
    result += name;
    return result;
}

std::string ReplaceExtension(std::string_view path, std::string_view extension) {
    const std::size_t separator = LastSeparator(path);
    const std::size_t name_start = separator == std::string_view::npos ? 0 : separator + 1;
    const std::size_t dot = path.find_last_of('.');
    const std::size_t stem_end = (dot == std::string_view::npos || dot < name_start) ? path.size() : dot;
    std::string result(path.substr(0, stem_end));
    result += '.';
    result += extension;
    return result;
}

}  // namespace korvo

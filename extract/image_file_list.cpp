#include "extract/image_file_list.h"

#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <system_error>

#include "core/paths.h"
#include "core/text_encoding.h"

namespace korvo {

namespace {

// A list is a few lines per image; anything this large is not one.
constexpr std::uintmax_t kMaxListBytes = 1u << 20;

bool IsBlank(char c) { return c == ' ' || c == '\t'; }
bool IsLineEnd(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }
bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The frame count after the last blank, when it is a decimal number that
// fits 32 bits.
std::optional<int32_t> ParseFrameCount(std::string_view digits) {
    if (digits.empty()) return std::nullopt;
    int64_t value = 0;
    for (char c : digits) {
        if (!IsDigit(c)) return std::nullopt;
        value = value * 10 + (c - '0');
        if (value > std::numeric_limits<int32_t>::max()) return std::nullopt;
    }
    return static_cast<int32_t>(value);
}

// One line (or piece of a long line) into the list; false when malformed.
bool ParseLine(std::string_view line, ImageFileList& list) {
    while (!line.empty() && IsBlank(line.front())) line.remove_prefix(1);
    while (!line.empty() && IsLineEnd(line.back())) line.remove_suffix(1);
    if (line.empty() || line.front() == ';' || line.front() == '#') return true;
    if (!IsDigit(line.back())) {
        list.entries.push_back({std::string(line), 1});
        return true;
    }
    const std::size_t blank = line.find_last_of(" \t");
    if (blank == std::string_view::npos) return false;  // the number alone
    const std::optional<int32_t> frames = ParseFrameCount(line.substr(blank + 1));
    if (!frames) return false;
    std::string_view name = line.substr(0, blank);
    while (!name.empty() && IsBlank(name.back())) name.remove_suffix(1);
    list.entries.push_back({std::string(name), *frames});
    return true;
}

// A piece ends before max bytes, and never inside a UTF-8 character.
std::size_t PieceLength(std::string_view line, std::size_t max) {
    if (line.size() <= max) return line.size();
    std::size_t length = max;
    while (length > 0 && (static_cast<unsigned char>(line[length]) & 0xC0) == 0x80) --length;
    return length > 0 ? length : max;
}

}  // namespace

ImageFileList ParseImageFileList(std::string_view text) {
    ImageFileList list;
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text = end == std::string_view::npos ? std::string_view{} : text.substr(end + 1);
        do {
            const std::size_t length = PieceLength(line, kImageFileListLineLength);
            if (!ParseLine(line.substr(0, length), list)) list.malformed = true;
            line.remove_prefix(length);
        } while (!line.empty());
    }
    return list;
}

std::optional<std::string> ReadImageFileListText(const std::string& path) {
    const std::string file_path = FileSystemPath(path);
    std::error_code error;
    if (!std::filesystem::is_regular_file(file_path, error)) return std::nullopt;
    const std::uintmax_t size = std::filesystem::file_size(file_path, error);
    if (error || size > kMaxListBytes) return std::nullopt;
    std::ifstream file(file_path, std::ios::binary);
    if (!file) return std::nullopt;
    std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
    if (file.bad()) return std::nullopt;
    return DecodeInputText(bytes);
}

int CountImageFileList(const std::string& path) {
    const std::optional<std::string> text = ReadImageFileListText(path);
    if (!text) return -1;
    const ImageFileList list = ParseImageFileList(*text);
    if (list.malformed) return -1;
    return static_cast<int>(list.entries.size());
}

std::string FindImageFileListEntry(const TextureSearch& search, const std::string& list_path,
                                   const std::string& entry) {
    if (entry.empty()) return {};
    if (IsAbsoluteTexturePath(entry) && TextureFileExists(entry)) return entry;
    const std::string file_name = FileNamePart(entry);
    const std::string beside_list = JoinHostPath(FolderPart(list_path), file_name);
    if (TextureFileExists(beside_list)) return beside_list;
    const std::string resolved = ResolveTexturePath(search, entry);
    if (TextureFileExists(resolved)) return resolved;
    for (const std::string& folder : search.map_directories) {
        const std::string in_folder = JoinHostPath(folder, file_name);
        if (TextureFileExists(in_folder)) return in_folder;
    }
    return {};
}

bool ReadImageFileList(Diagnostics& diagnostics, const TextureSearch& search, const std::string& list_path,
                       std::vector<std::string>& images, std::vector<int32_t>& frames) {
    const std::optional<std::string> text = ReadImageFileListText(list_path);
    if (!text) {
        diagnostics.Error("Can't open file. " + list_path, "Can't open IFL file");
        return false;
    }
    const ImageFileList list = ParseImageFileList(*text);
    if (list.malformed) {
        diagnostics.Error("IFL File is incorrect.", "Error");
        return false;
    }
    for (const ImageFileListEntry& entry : list.entries) {
        std::string found = FindImageFileListEntry(search, list_path, entry.name);
        if (found.empty()) {
            diagnostics.Error("IFL File is incorrect.", "Error");
            return false;
        }
        images.push_back(std::move(found));
        frames.push_back(entry.frames);
    }
    return true;
}

}  // namespace korvo

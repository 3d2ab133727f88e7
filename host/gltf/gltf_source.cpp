#include "host/gltf/gltf_source.h"

#include <cctype>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <limits>
#include <sstream>

#include "core/paths.h"

namespace korvo::gltf {

namespace {

// The loaded file keeps the encoded bytes of embedded images; external
// image files are only checked for, where a material uses them.
bool KeepEncodedImage(tinygltf::Image* image, const int, std::string*, std::string*, int, int,
                      const unsigned char* bytes, int size, void*) {
    if (image->uri.empty() && bytes != nullptr && size > 0) image->image.assign(bytes, bytes + size);
    image->as_is = true;
    return true;
}

// tinygltf's messages are lines; one message reads better as one line.
std::string OneLine(const std::string& text) {
    std::string line;
    std::istringstream lines(text);
    std::string part;
    while (std::getline(lines, part)) {
        while (!part.empty() && (part.back() == '\r' || part.back() == ' ')) part.pop_back();
        if (part.empty()) continue;
        if (!line.empty()) line += "; ";
        line += part;
    }
    return line;
}

bool HasGlbExtension(const std::string& path) {
    std::string extension = path.size() >= 4 ? path.substr(path.size() - 4) : std::string();
    for (char& c : extension) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return extension == ".glb";
}

bool StartsWithGlbMagic(const std::vector<unsigned char>& bytes) {
    return bytes.size() >= 4 && bytes[0] == 'g' && bytes[1] == 'l' && bytes[2] == 'T' && bytes[3] == 'F';
}

}  // namespace

void GltfSource::Fail(const std::string& where, const std::string& what) const {
    throw GltfError(label + ": " + (where.empty() ? std::string() : where + ": ") + what);
}

void GltfSource::Warn(const std::string& where, const std::string& what) const {
    if (warnings) warnings->push_back(label + ": " + (where.empty() ? std::string() : where + ": ") + what);
}

int IntegerOf(const tinygltf::Value& value) {
    if (!value.IsNumber()) return -1;
    const double number = value.GetNumberAsDouble();
    if (!(number >= 0.0 && number <= std::numeric_limits<int>::max()) || number != std::floor(number)) return -1;
    return static_cast<int>(number);
}

std::string NumberText(double value) {
    char text[32];
    std::snprintf(text, sizeof text, "%.9g", value);
    return text;
}

void CheckIndex(const GltfSource& source, const std::string& where, int index, std::size_t count, const char* what) {
    if (index < 0 || static_cast<std::size_t>(index) >= count) {
        source.Fail(where, std::string(what) + " " + std::to_string(index) + " does not exist (the file has " +
                               std::to_string(count) + ")");
    }
}

void LoadGltfSource(const std::string& path, GltfSource& source) {
    source.label = path;
    source.folder = FolderPart(path);
    std::error_code failed;
    if (std::filesystem::is_directory(path, failed)) source.Fail("", "is a folder, not a file");
    std::ifstream file(path, std::ios::binary);
    if (!file) source.Fail("", "cannot open the file");
    std::vector<unsigned char> bytes;
    try {
        bytes.assign(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
    } catch (const std::ios_base::failure&) {
        source.Fail("", "cannot read the file");
    }
    if (file.bad()) source.Fail("", "cannot read the file");
    if (bytes.size() > std::numeric_limits<unsigned int>::max() / 2) source.Fail("", "the file is too large");

    tinygltf::TinyGLTF loader;
    loader.SetImageLoader(KeepEncodedImage, nullptr);
    std::string errors, warnings;
    bool loaded = false;
    if (StartsWithGlbMagic(bytes)) {
        loaded = loader.LoadBinaryFromMemory(&source.model, &errors, &warnings, bytes.data(),
                                             static_cast<unsigned int>(bytes.size()), source.folder);
    } else if (HasGlbExtension(path)) {
        source.Fail("", "not a binary glTF file (it does not begin with \"glTF\")");
    } else {
        const std::string text(bytes.begin(), bytes.end());
        loaded = loader.LoadASCIIFromString(&source.model, &errors, &warnings, text.data(),
                                            static_cast<unsigned int>(text.size()), source.folder);
    }
    if (!loaded) {
        std::string message = OneLine(errors);
        if (message.empty()) message = "not a readable glTF file";
        if (!warnings.empty()) message += " (warnings: " + OneLine(warnings) + ")";
        source.Fail("", message);
    }
    std::istringstream lines(warnings);
    for (std::string line; std::getline(lines, line);) {
        if (!line.empty() && line != "\r") source.Warn("", OneLine(line));
    }
}

}  // namespace korvo::gltf

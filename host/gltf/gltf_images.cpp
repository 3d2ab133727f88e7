#include <algorithm>
#include <cctype>
#include <filesystem>
#include <fstream>

#include "host/gltf/gltf_build.h"
#include "core/paths.h"

namespace korvo::gltf {

namespace {

std::string Lower(std::string text) {
    for (char& c : text) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return text;
}

int HexDigit(char c) {
    if (c >= '0' && c <= '9') return c - '0';
    c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    return c >= 'a' && c <= 'f' ? c - 'a' + 10 : -1;
}

// A URI's %XX escapes decoded.
std::string DecodeUri(const std::string& uri) {
    std::string path;
    for (std::size_t i = 0; i < uri.size(); ++i) {
        if (uri[i] == '%' && i + 2 < uri.size() && HexDigit(uri[i + 1]) >= 0 && HexDigit(uri[i + 2]) >= 0) {
            path += static_cast<char>(HexDigit(uri[i + 1]) * 16 + HexDigit(uri[i + 2]));
            i += 2;
        } else {
            path += uri[i];
        }
    }
    return path;
}

std::string Extension(const tinygltf::Image& image) {
    const std::string mime = Lower(image.mimeType);
    if (mime == "image/png") return "png";
    if (mime == "image/jpeg" || mime == "image/jpg") return "jpg";
    const auto& bytes = image.image;
    if (bytes.size() >= 4 && bytes[0] == 0x89 && bytes[1] == 'P' && bytes[2] == 'N' && bytes[3] == 'G') return "png";
    if (bytes.size() >= 3 && bytes[0] == 0xFF && bytes[1] == 0xD8 && bytes[2] == 0xFF) return "jpg";
    if (mime.rfind("image/", 0) == 0 && mime.size() > 6) return mime.substr(6);
    return "bin";
}

// The image's name made safe as a file name, without the extension it may
// already carry.
std::string BaseName(const tinygltf::Image& image, int index, const std::string& extension) {
    std::string name = image.name.empty() ? "image_" + std::to_string(index) : image.name;
    if (Lower(name).size() > extension.size() + 1 &&
        Lower(name).compare(name.size() - extension.size() - 1, std::string::npos, "." + extension) == 0) {
        name.resize(name.size() - extension.size() - 1);
    }
    for (char& c : name) {
        if (static_cast<unsigned char>(c) < 32 || std::string("/\\:*?\"<>|").find(c) != std::string::npos) c = '_';
    }
    if (name == "." || name == "..") name = "image_" + std::to_string(index);
    return name;
}

std::string ExternalImage(const GltfBuild& build, const tinygltf::Image& image, const std::string& where) {
    const std::string decoded = DecodeUri(image.uri);
    const std::filesystem::path relative(decoded);
    const std::filesystem::path path =
        relative.is_absolute() ? relative : std::filesystem::path(JoinPath(build.source.folder, decoded));
    std::error_code failed;
    if (!std::filesystem::is_regular_file(path, failed)) {
        build.source.Fail(where, "image file \"" + path.string() + "\" does not exist");
    }
    return std::filesystem::absolute(path, failed).lexically_normal().string();
}

std::string WriteEmbeddedImage(GltfBuild& build, int index, const std::string& where) {
    const tinygltf::Image& image = build.source.model.images[index];
    if (image.image.empty()) build.source.Fail(where, "image " + std::to_string(index) + " has no data");
    if (build.options.image_folder.empty()) {
        if (!build.warned_no_image_folder) {
            build.source.Warn("images", "embedded images are not written: no folder for them was given");
            build.warned_no_image_folder = true;
        }
        return {};
    }
    const std::string extension = Extension(image);
    const std::string base = BaseName(image, index, extension);
    std::string name = base + "." + extension;
    for (int n = 1; build.image_file_names.count(Lower(name)); ++n)
        name = base + "_" + std::to_string(n) + "." + extension;
    build.image_file_names.insert(Lower(name));

    std::error_code failed;
    std::filesystem::create_directories(build.options.image_folder, failed);
    const std::filesystem::path path = std::filesystem::path(build.options.image_folder) / name;
    std::ofstream file(path, std::ios::binary | std::ios::trunc);
    file.write(reinterpret_cast<const char*>(image.image.data()), static_cast<std::streamsize>(image.image.size()));
    file.close();
    if (!file) build.source.Fail(where, "cannot write the embedded image to \"" + path.string() + "\"");
    return std::filesystem::absolute(path, failed).lexically_normal().string();
}

}  // namespace

std::string ImageFile(GltfBuild& build, int index, const std::string& where) {
    build.image_files.resize(build.source.model.images.size());
    if (!build.image_files[index].empty()) return build.image_files[index];
    const tinygltf::Image& image = build.source.model.images[index];
    build.image_files[index] =
        image.uri.empty() ? WriteEmbeddedImage(build, index, where) : ExternalImage(build, image, where);
    return build.image_files[index];
}

}  // namespace korvo::gltf

#pragma once
// Small glTF files made by the tests: binary data goes into one buffer
// (a base64 data URI for .gltf, the BIN chunk for .glb), described by
// buffer views and accessors; the test writes the rest of the JSON.

#include <cstdint>
#include <string>
#include <vector>

namespace korvo::test {

inline std::string Base64(const std::string& bytes) {
    static const char* const kDigits = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        uint32_t group = static_cast<uint8_t>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) group |= static_cast<uint8_t>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) group |= static_cast<uint8_t>(bytes[i + 2]);
        text += kDigits[(group >> 18) & 63];
        text += kDigits[(group >> 12) & 63];
        text += i + 1 < bytes.size() ? kDigits[(group >> 6) & 63] : '=';
        text += i + 2 < bytes.size() ? kDigits[group & 63] : '=';
    }
    return text;
}

class GltfTestFile {
public:
    // Float accessors; type is "SCALAR", "VEC2", "VEC3", "VEC4" or "MAT4".
    int Floats(const std::vector<float>& values, const std::string& type) {
        return Add(values.data(), values.size() * 4, 5126, type, values.size(), false);
    }
    int Ushorts(const std::vector<uint16_t>& values) {
        return Add(values.data(), values.size() * 2, 5123, "SCALAR", values.size(), false);
    }
    int Ubytes(const std::vector<uint8_t>& values, const std::string& type, bool normalized) {
        return Add(values.data(), values.size(), 5121, type, values.size(), normalized);
    }
    // Raw bytes as a buffer view of their own; its index.
    int View(const std::string& bytes) {
        while (data.size() % 4 != 0) data += '\0';
        views.push_back("{\"buffer\":0,\"byteOffset\":" + std::to_string(data.size()) +
                        ",\"byteLength\":" + std::to_string(bytes.size()) + "}");
        data += bytes;
        return static_cast<int>(views.size()) - 1;
    }

    // The whole file as .gltf text; body is the rest of the top-level
    // object ("\"nodes\": [...], ..."), without braces.
    std::string Gltf(const std::string& body) const { return Json(body, true); }
    // The whole file as .glb bytes.
    std::string Glb(const std::string& body) const {
        std::string json = Json(body, false), bin = data;
        while (json.size() % 4 != 0) json += ' ';
        while (bin.size() % 4 != 0) bin += '\0';
        std::string glb = "glTF";
        const auto word = [&glb](std::size_t value) {
            for (int i = 0; i < 4; ++i) glb += static_cast<char>((value >> (8 * i)) & 0xFF);
        };
        word(2);
        word(12 + 8 + json.size() + (bin.empty() ? 0 : 8 + bin.size()));
        word(json.size());
        word(0x4E4F534A);
        glb += json;
        if (!bin.empty()) {
            word(bin.size());
            word(0x004E4942);
            glb += bin;
        }
        return glb;
    }

    std::string data;
    std::vector<std::string> views, accessors;

private:
    int Add(const void* bytes, std::size_t size, int component, const std::string& type, std::size_t values,
            bool normalized) {
        const std::size_t width = type == "SCALAR" ? 1
                                  : type == "VEC2" ? 2
                                  : type == "VEC3" ? 3
                                  : type == "VEC4" ? 4
                                                   : 16;
        const int view = View(std::string(static_cast<const char*>(bytes), size));
        accessors.push_back("{\"bufferView\":" + std::to_string(view) + ",\"componentType\":" +
                            std::to_string(component) + ",\"count\":" + std::to_string(values / width) +
                            ",\"type\":\"" + type + "\"" + (normalized ? ",\"normalized\":true" : "") + "}");
        return static_cast<int>(accessors.size()) - 1;
    }
    std::string Json(const std::string& body, bool data_uri) const {
        std::string json = "{\"asset\":{\"version\":\"2.0\"}" + (body.empty() ? "" : "," + body);
        if (data.empty()) return json + "}";
        json += ",\"buffers\":[{\"byteLength\":" + std::to_string(data.size());
        if (data_uri) json += ",\"uri\":\"data:application/octet-stream;base64," + Base64(data) + "\"";
        const auto list = [](const std::vector<std::string>& items) {
            std::string text;
            for (const std::string& item : items) text += (text.empty() ? "" : ",") + item;
            return "[" + text + "]";
        };
        return json + "}],\"bufferViews\":" + list(views) + ",\"accessors\":" + list(accessors) + "}";
    }
};

}  // namespace korvo::test

#include "host/document/scene_document.h"

#include <fstream>
#include <functional>
#include <optional>
#include <set>
#include <vector>

#include "host/document/document_context.h"
#include "host/document/document_readers.h"
#include "host/document/json_value.h"

namespace korvo {

namespace {

using document::DocumentError;
using document::Json;

// Far beyond any scene a test or a batch needs; keeps a hostile file from
// taking the machine's memory.
constexpr std::size_t kMaxDocumentBytes = 16u << 20;

// The parser keeps the last of repeated keys; a repeat is as likely a
// mistake as a typo, so it is found while parsing and reported.
class DuplicateKeyFinder {
public:
    bool operator()(int /*depth*/, Json::parse_event_t event, Json& parsed) {
        switch (event) {
            case Json::parse_event_t::object_start:
            case Json::parse_event_t::array_start:
                BeginElement();
                frames_.push_back(Frame{event == Json::parse_event_t::array_start, 0, {}, {}});
                break;
            case Json::parse_event_t::key: {
                Frame& frame = frames_.back();
                frame.key = parsed.get<std::string>();
                if (!frame.keys.insert(frame.key).second && !found_) {
                    found_ = DocumentError{Path(), "duplicate key"};
                }
                break;
            }
            case Json::parse_event_t::value:
                BeginElement();
                break;
            case Json::parse_event_t::object_end:
            case Json::parse_event_t::array_end:
                frames_.pop_back();
                break;
        }
        return true;
    }

    const std::optional<DocumentError>& found() const { return found_; }

private:
    struct Frame {
        bool is_array;
        std::size_t next_index;
        std::string key;
        std::set<std::string> keys;
    };

    void BeginElement() {
        if (!frames_.empty() && frames_.back().is_array) ++frames_.back().next_index;
    }

    // The path of the current key, built the way the readers build theirs.
    std::string Path() const {
        std::string path = "$";
        for (const Frame& frame : frames_) {
            if (frame.is_array) {
                path += "[" + std::to_string(frame.next_index - 1) + "]";
            } else {
                path = document::MemberPath(path, frame.key);
            }
        }
        return path;
    }

    std::vector<Frame> frames_;
    std::optional<DocumentError> found_;
};

std::string BaseName(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

std::string Folder(const std::string& path) {
    const std::size_t slash = path.find_last_of("/\\");
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

// Length of the valid UTF-8 sequence at text[i], or 0.
std::size_t Utf8Length(const std::string& text, std::size_t i) {
    const auto byte = [&](std::size_t k) { return k < text.size() ? static_cast<unsigned char>(text[k]) : 0u; };
    const unsigned lead = byte(i);
    std::size_t length = 0;
    if (lead < 0x80) {
        length = 1;
    } else if (lead >= 0xC2 && lead < 0xE0) {
        length = 2;
    } else if (lead >= 0xE0 && lead < 0xF0) {
        length = 3;
    } else if (lead >= 0xF0 && lead < 0xF5) {
        length = 4;
    }
    for (std::size_t k = 1; k < length; ++k) {
        if ((byte(i + k) & 0xC0) != 0x80) return 0;
    }
    return length;
}

// Error lines stay one line of valid UTF-8 whatever the document holds
// (the parser quotes what it last read).
std::string OneLine(const std::string& text) {
    std::string line;
    for (std::size_t i = 0; i < text.size();) {
        const std::size_t length = Utf8Length(text, i);
        if (length == 0) {
            line += '?';
            ++i;
        } else if (length == 1 && (static_cast<unsigned char>(text[i]) < 0x20 || text[i] == 0x7F)) {
            line += ' ';
            ++i;
        } else {
            line.append(text, i, length);
            i += length;
        }
    }
    return line;
}

void SetError(std::string* error, const std::string& file, const std::string& where, const std::string& message) {
    if (error) *error = OneLine(file + ": " + (where.empty() ? "" : where + ": ") + message);
}

// "[json.exception.parse_error.101] parse error at line 4, column 12: syntax error ..." without its prefix.
std::string SyntaxMessage(const std::string& what) {
    const std::size_t at = what.find("at line ");
    return at == std::string::npos ? what : what.substr(at + 3);
}

}  // namespace

std::unique_ptr<MemoryScene> LoadSceneDocumentText(const std::string& text, const std::string& display_name,
                                                   std::string* error) {
    if (text.size() > kMaxDocumentBytes) {
        SetError(error, display_name, "",
                 "the document is larger than " + std::to_string(kMaxDocumentBytes >> 20) + " MiB");
        return nullptr;
    }
    try {
        DuplicateKeyFinder duplicates;
        Json json;
        try {
            json = Json::parse(text, std::ref(duplicates));
        } catch (const Json::parse_error& e) {
            SetError(error, display_name, "", SyntaxMessage(e.what()));
            return nullptr;
        } catch (const Json::exception& e) {
            // Numbers beyond double range: "[json.exception.out_of_range.406] number overflow parsing '1e400'".
            const std::string what = e.what();
            const std::size_t end = what.find("] ");
            SetError(error, display_name, "", end == std::string::npos ? what : what.substr(end + 2));
            return nullptr;
        }
        if (duplicates.found()) throw *duplicates.found();

        auto scene = std::make_unique<MemoryScene>();
        scene->file_name = BaseName(display_name);
        document::Context context{*scene, {}, {}, {}, {}, {}};
        document::ReadScene(document::Value(json, "$", context), *scene);
        scene->file_path = Folder(display_name) + scene->file_name;
        return scene;
    } catch (const DocumentError& e) {
        SetError(error, display_name, e.path, e.message);
    } catch (const std::exception& e) {
        SetError(error, display_name, "", e.what());
    }
    return nullptr;
}

std::unique_ptr<MemoryScene> LoadSceneDocument(const std::string& path, std::string* error) {
    std::ifstream file(path, std::ios::binary);
    if (!file) {
        SetError(error, path, "", "cannot open the file");
        return nullptr;
    }
    std::string text;
    std::vector<char> chunk(1 << 16);
    while (file && text.size() <= kMaxDocumentBytes) {
        file.read(chunk.data(), static_cast<std::streamsize>(chunk.size()));
        text.append(chunk.data(), static_cast<std::size_t>(file.gcount()));
    }
    if (file.bad()) {
        SetError(error, path, "", "cannot read the file");
        return nullptr;
    }
    return LoadSceneDocumentText(text, path, error);
}

}  // namespace korvo

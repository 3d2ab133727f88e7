#pragma once
// Reading typed values out of a parsed scene document, with the JSON path
// of every value at hand for the error message.
//
// A record is read with an ObjectReader: one call per key registers the key
// and where its value goes; Finish() then rejects unknown keys, reports
// missing required keys, and only then reads the values, in the order the
// keys were registered. Code that checks one value against another runs
// after Finish().

#include <cstddef>
#include <functional>
#include <string>
#include <vector>

#include <nlohmann/json.hpp>

#include "host/geom.h"
#include "host/host.h"
#include "host/memory/track.h"

namespace korvo::document {

using Json = nlohmann::json;

struct Context;

// What goes wrong, where. Thrown by the readers, caught once at the top.
struct DocumentError {
    std::string path;  // "$.nodes[3].mesh"; empty for the document as a whole
    std::string message;
};

class Value {
public:
    Value(const Json& json, std::string path, Context& context)
        : json_(&json), path_(std::move(path)), context_(&context) {}

    const Json& json() const { return *json_; }
    const std::string& path() const { return path_; }
    Context& context() const { return *context_; }

    // The member of an object (which must have it), the element of an array.
    Value Member(const std::string& key) const;
    Value Element(std::size_t index) const;
    std::string MemberPath(const std::string& key) const;

    [[noreturn]] void Fail(const std::string& message) const;
    // Fails unless the value is an array; its length.
    std::size_t ArraySize() const;

private:
    const Json* json_;
    std::string path_;
    Context* context_;
};

// path.key, or path["key"] for keys that are not identifiers.
std::string MemberPath(const std::string& path, const std::string& key);
// "a string", "an array", ...
std::string JsonTypeName(const Json& json);
// The value as written, shortened, for messages.
std::string Describe(const Json& json);
std::string FormatNumber(double value);
// "1 vertex", "4 vertices".
std::string CountText(std::size_t count, const char* singular, const char* plural);

void ReadValue(const Value& value, bool& out);
void ReadValue(const Value& value, int& out);
void ReadValue(const Value& value, float& out);
void ReadValue(const Value& value, std::string& out);
void ReadValue(const Value& value, Point3& out);     // [x, y, z]
void ReadValue(const Value& value, HostColor& out);  // [r, g, b]
void ReadValue(const Value& value, Quat& out);       // [x, y, z, w], normalised

int ReadInt(const Value& value, int min, int max);
// A finite number that fits a float, kept in double precision.
double ReadNumber(const Value& value);
// count_min .. count_max numbers.
std::vector<float> ReadFloats(const Value& value, std::size_t count_min, std::size_t count_max);

// Calls read(element, index) for each element of an array.
void ForEachElement(const Value& value, const std::function<void(const Value&, std::size_t)>& read);

template <typename T>
void ReadValue(const Value& value, std::vector<T>& out) {
    out.clear();
    ForEachElement(value, [&](const Value& element, std::size_t) {
        T item{};
        ReadValue(element, item);
        out.push_back(std::move(item));
    });
}

class ObjectReader {
public:
    // Fails unless the value is an object.
    explicit ObjectReader(const Value& object);

    // An optional key; true when the document has it. The value is read by Finish().
    template <typename T>
    bool Read(const char* key, T& out) {
        return Add(key, false, [&out](const Value& value) { ReadValue(value, out); });
    }
    bool Read(const char* key, int& out, int min, int max) {
        return Add(key, false, [&out, min, max](const Value& value) { out = ReadInt(value, min, max); });
    }
    template <typename T>
    bool Require(const char* key, T& out) {
        return Add(key, true, [&out](const Value& value) { ReadValue(value, out); });
    }
    // A key read by a function of its value.
    bool ReadWith(const char* key, std::function<void(const Value&)> read) { return Add(key, false, std::move(read)); }
    bool RequireWith(const char* key, std::function<void(const Value&)> read) {
        return Add(key, true, std::move(read));
    }
    // A key read at once, for values that decide which other keys exist.
    template <typename T>
    void RequireNow(const char* key, T& out) {
        if (!Add(key, true, nullptr)) object_.Fail("missing required key \"" + std::string(key) + "\"");
        ReadValue(object_.Member(key), out);
    }

    void Finish();

private:
    bool Add(const char* key, bool required, std::function<void(const Value&)> read);

    struct Entry {
        std::string key;
        std::function<void(const Value&)> read;
    };
    Value object_;
    std::vector<std::string> known_;
    std::vector<std::string> missing_;
    std::vector<Entry> reads_;
};

// A constant value, or {"keys": [[frame, value], ...]} with frames increasing.
template <typename T>
void ReadValue(const Value& value, Track<T>& out) {
    if (!value.json().is_object()) {
        T constant{};
        ReadValue(value, constant);
        out = Track<T>::Constant(constant);
        return;
    }
    Track<T> track;
    ObjectReader reader(value);
    reader.RequireWith("keys", [&track](const Value& keys) {
        if (keys.ArraySize() == 0) keys.Fail("a track needs at least one key");
        ForEachElement(keys, [&track](const Value& key, std::size_t) {
            if (key.ArraySize() != 2) {
                key.Fail("a key is [frame, value], found " + std::to_string(key.ArraySize()) + " elements");
            }
            const Value frame = key.Element(0);
            TrackKey<T> entry;
            entry.frame = ReadNumber(frame);
            if (!track.keys.empty() && !(entry.frame > track.keys.back().frame)) {
                frame.Fail("frame " + FormatNumber(entry.frame) + " does not follow frame " +
                           FormatNumber(track.keys.back().frame) + "; key frames must increase");
            }
            ReadValue(key.Element(1), entry.value);
            track.keys.push_back(entry);
        });
    });
    reader.Finish();
    out = std::move(track);
}

}  // namespace korvo::document

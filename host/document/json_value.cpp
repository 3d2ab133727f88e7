#include "host/document/json_value.h"

#include <cfloat>
#include <cmath>
#include <cstdio>
#include <limits>

namespace korvo::document {

namespace {

bool IsIdentifier(const std::string& key) {
    if (key.empty() || std::isdigit(static_cast<unsigned char>(key[0]))) return false;
    for (const char c : key) {
        if (!std::isalnum(static_cast<unsigned char>(c)) && c != '_') return false;
    }
    return true;
}

constexpr const char* kCommentKey = "comment";

}  // namespace

Value Value::Member(const std::string& key) const { return Value(json_->at(key), MemberPath(key), *context_); }

Value Value::Element(std::size_t index) const {
    return Value(json_->at(index), path_ + "[" + std::to_string(index) + "]", *context_);
}

std::string Value::MemberPath(const std::string& key) const { return document::MemberPath(path_, key); }

std::string MemberPath(const std::string& path, const std::string& key) {
    if (IsIdentifier(key)) return path + "." + key;
    return path + "[" + Json(key).dump(-1, ' ', false, Json::error_handler_t::replace) + "]";
}

void Value::Fail(const std::string& message) const { throw DocumentError{path_, message}; }

std::size_t Value::ArraySize() const {
    if (!json_->is_array()) Fail("expected an array, found " + JsonTypeName(*json_));
    return json_->size();
}

std::string JsonTypeName(const Json& json) {
    switch (json.type()) {
        case Json::value_t::null:
            return "null";
        case Json::value_t::boolean:
            return "a boolean";
        case Json::value_t::number_integer:
        case Json::value_t::number_unsigned:
        case Json::value_t::number_float:
            return "a number";
        case Json::value_t::string:
            return "a string";
        case Json::value_t::array:
            return "an array";
        case Json::value_t::object:
            return "an object";
        default:
            return "an unknown value";
    }
}

std::string Describe(const Json& json) {
    if (json.is_structured()) return JsonTypeName(json);
    std::string text = json.dump(-1, ' ', false, Json::error_handler_t::replace);
    constexpr std::size_t kLongest = 60;
    if (text.size() > kLongest) text = text.substr(0, kLongest) + "...";
    return text;
}

std::string FormatNumber(double value) {
    char text[64];
    std::snprintf(text, sizeof text, "%g", value);
    return text;
}

std::string CountText(std::size_t count, const char* singular, const char* plural) {
    return std::to_string(count) + " " + (count == 1 ? singular : plural);
}

void ReadValue(const Value& value, bool& out) {
    if (!value.json().is_boolean()) value.Fail("expected true or false, found " + Describe(value.json()));
    out = value.json().get<bool>();
}

void ReadValue(const Value& value, int& out) {
    out = ReadInt(value, std::numeric_limits<int>::min(), std::numeric_limits<int>::max());
}

int ReadInt(const Value& value, int min, int max) {
    const Json& json = value.json();
    if (!json.is_number()) value.Fail("expected an integer, found " + Describe(json));
    bool in_range = false;
    long long number = 0;
    if (json.is_number_unsigned()) {
        const auto u = json.get<unsigned long long>();
        in_range = u <= static_cast<unsigned long long>(max);
        number = static_cast<long long>(in_range ? u : 0);
    } else if (json.is_number_integer()) {
        number = json.get<long long>();
        in_range = number >= min && number <= max;
    } else {
        const double d = json.get<double>();
        if (!std::isfinite(d) || d != std::floor(d)) value.Fail("expected an integer, found " + Describe(json));
        in_range = d >= min && d <= max;
        number = in_range ? static_cast<long long>(d) : 0;
    }
    if (!in_range) {
        value.Fail(Describe(json) + " is out of range " + std::to_string(min) + ".." + std::to_string(max));
    }
    return static_cast<int>(number);
}

double ReadNumber(const Value& value) {
    const Json& json = value.json();
    if (!json.is_number()) value.Fail("expected a number, found " + Describe(json));
    const double d = json.get<double>();
    if (!std::isfinite(d) || std::fabs(d) > FLT_MAX) value.Fail("number " + Describe(json) + " does not fit a float");
    return d;
}

void ReadValue(const Value& value, float& out) { out = static_cast<float>(ReadNumber(value)); }

void ReadValue(const Value& value, std::string& out) {
    if (!value.json().is_string()) value.Fail("expected a string, found " + Describe(value.json()));
    out = value.json().get<std::string>();
}

std::vector<float> ReadFloats(const Value& value, std::size_t count_min, std::size_t count_max) {
    const std::size_t size = value.ArraySize();
    if (size < count_min || size > count_max) {
        const std::string wanted = count_min == count_max
                                       ? std::to_string(count_min)
                                       : std::to_string(count_min) + " or " + std::to_string(count_max);
        value.Fail("expected " + wanted + " numbers, found " + std::to_string(size));
    }
    std::vector<float> numbers;
    for (std::size_t i = 0; i < size; ++i) numbers.push_back(static_cast<float>(ReadNumber(value.Element(i))));
    return numbers;
}

void ReadValue(const Value& value, Point3& out) {
    const std::vector<float> n = ReadFloats(value, 3, 3);
    out = Point3{n[0], n[1], n[2]};
}

void ReadValue(const Value& value, HostColor& out) {
    const std::vector<float> n = ReadFloats(value, 3, 3);
    out = HostColor{n[0], n[1], n[2]};
}

void ReadValue(const Value& value, Quat& out) {
    const std::vector<float> n = ReadFloats(value, 4, 4);
    const double length =
        std::sqrt(double(n[0]) * n[0] + double(n[1]) * n[1] + double(n[2]) * n[2] + double(n[3]) * n[3]);
    if (!(length > 1e-6)) value.Fail("a quaternion must not be zero");
    out = Quat{float(n[0] / length), float(n[1] / length), float(n[2] / length), float(n[3] / length)};
}

void ForEachElement(const Value& value, const std::function<void(const Value&, std::size_t)>& read) {
    const std::size_t size = value.ArraySize();
    for (std::size_t i = 0; i < size; ++i) read(value.Element(i), i);
}

ObjectReader::ObjectReader(const Value& object) : object_(object) {
    if (!object.json().is_object()) object.Fail("expected an object, found " + Describe(object.json()));
    ReadWith(kCommentKey, [](const Value& comment) {
        std::string ignored;
        ReadValue(comment, ignored);
    });
}

bool ObjectReader::Add(const char* key, bool required, std::function<void(const Value&)> read) {
    known_.emplace_back(key);
    const bool present = object_.json().contains(key);
    if (!present && required) missing_.emplace_back(key);
    if (present && read) reads_.push_back(Entry{key, std::move(read)});
    return present;
}

void ObjectReader::Finish() {
    for (const auto& item : object_.json().items()) {
        bool known = false;
        for (const std::string& key : known_) known = known || key == item.key();
        if (!known) Value(item.value(), object_.MemberPath(item.key()), object_.context()).Fail("unknown key");
    }
    if (!missing_.empty()) object_.Fail("missing required key \"" + missing_.front() + "\"");
    for (const Entry& entry : reads_) entry.read(object_.Member(entry.key));
}

}  // namespace korvo::document

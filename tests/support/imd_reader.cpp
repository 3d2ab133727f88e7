#include "support/imd_reader.h"

#include <cctype>
#include <cerrno>
#include <cstdlib>
#include <sstream>

namespace korvo::test {

namespace {

bool IsNameChar(char c) { return std::isalnum(static_cast<unsigned char>(c)) || c == '_'; }
bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; }

std::optional<std::vector<double>> WordsAsNumbers(const std::string& text) {
    std::vector<double> numbers;
    std::istringstream words(text);
    std::string word;
    while (words >> word) {
        errno = 0;
        char* end = nullptr;
        const double value = std::strtod(word.c_str(), &end);
        if (end != word.c_str() + word.size() || errno != 0) return std::nullopt;
        numbers.push_back(value);
    }
    return numbers;
}

class Reader {
public:
    explicit Reader(const std::string& text) : text_(text) {}

    std::optional<ImdElement> Read(std::string* error) {
        try {
            return ReadDocument();
        } catch (const std::string& what) {
            if (error) *error = "line " + std::to_string(line_) + ": " + what;
            return std::nullopt;
        }
    }

private:
    ImdElement ReadDocument() {
        std::vector<ImdElement> open;  // open.front() holds the document's top level
        open.emplace_back();
        while (pos_ < text_.size()) {
            if (text_[pos_] != '<') {
                open.back().text += Take();
                continue;
            }
            if (Starts("<?")) {
                SkipPast("?>");
            } else if (Starts("<!--")) {
                SkipPast("-->");
            } else if (Starts("</")) {
                pos_ += 2;
                const std::string name = Name();
                SkipBlanks();
                Expect('>');
                if (open.size() < 2 || open.back().name != name) throw "unexpected </" + name + ">";
                ImdElement done = std::move(open.back());
                open.pop_back();
                open.back().children.push_back(std::move(done));
            } else {
                ++pos_;
                ImdElement element;
                element.line = line_;
                element.name = Name();
                if (ReadAttributes(element)) {
                    open.back().children.push_back(std::move(element));
                } else {
                    open.push_back(std::move(element));
                }
            }
        }
        if (open.size() != 1) throw "<" + open.back().name + "> is not closed";
        if (open.front().children.size() != 1) throw std::string("expected one root element");
        return std::move(open.front().children.front());
    }

    // Reads up to the end of the opening tag; true when it closed itself.
    bool ReadAttributes(ImdElement& element) {
        std::string bare;  // words without a value, prefixed to the next key
        while (true) {
            SkipBlanks();
            if (Starts("/>")) {
                pos_ += 2;
                return true;
            }
            if (Starts(">")) {
                ++pos_;
                return false;
            }
            std::string key = Name();
            SkipBlanks();
            if (!Starts("=")) {
                bare += key + " ";
                continue;
            }
            ++pos_;
            SkipBlanks();
            Expect('"');
            std::string value;
            while (pos_ < text_.size() && text_[pos_] != '"') value += Take();
            Expect('"');
            element.attributes.emplace_back(bare + key, value);
            bare.clear();
        }
    }

    std::string Name() {
        std::string name;
        while (pos_ < text_.size() && IsNameChar(text_[pos_])) name += Take();
        if (name.empty()) throw std::string(pos_ < text_.size() ? "expected a name" : "the file ends inside a tag");
        return name;
    }

    char Take() {
        const char c = text_[pos_++];
        if (c == '\n') ++line_;
        return c;
    }
    bool Starts(const char* s) const { return text_.compare(pos_, std::char_traits<char>::length(s), s) == 0; }
    void SkipBlanks() {
        while (pos_ < text_.size() && IsBlank(text_[pos_])) Take();
    }
    void SkipPast(const std::string& end) {
        while (pos_ < text_.size() && !Starts(end.c_str())) Take();
        if (pos_ >= text_.size()) throw "no closing " + end;
        pos_ += end.size();
    }
    void Expect(char c) {
        if (pos_ >= text_.size() || text_[pos_] != c) throw std::string("expected '") + c + "'";
        ++pos_;
    }

    const std::string& text_;
    std::size_t pos_ = 0;
    int line_ = 1;
};

}  // namespace

bool ImdElement::Has(const std::string& key) const {
    for (const auto& attribute : attributes) {
        if (attribute.first == key) return true;
    }
    return false;
}

const std::string& ImdElement::Attribute(const std::string& key) const {
    static const std::string kNone;
    for (const auto& attribute : attributes) {
        if (attribute.first == key) return attribute.second;
    }
    return kNone;
}

std::optional<long> ImdElement::Int(const std::string& key) const {
    const std::string& value = Attribute(key);
    if (value.empty()) return std::nullopt;
    errno = 0;
    char* end = nullptr;
    const long number = std::strtol(value.c_str(), &end, 10);
    if (end != value.c_str() + value.size() || errno != 0) return std::nullopt;
    return number;
}

std::optional<std::vector<double>> ImdElement::Numbers(const std::string& key) const {
    if (!Has(key)) return std::nullopt;
    return WordsAsNumbers(Attribute(key));
}

std::optional<std::vector<double>> ImdElement::TextNumbers() const { return WordsAsNumbers(text); }

std::vector<const ImdElement*> ImdElement::Children(const std::string& child_name) const {
    std::vector<const ImdElement*> found;
    for (const ImdElement& child : children) {
        if (child.name == child_name) found.push_back(&child);
    }
    return found;
}

const ImdElement* ImdElement::Child(const std::string& child_name) const {
    for (const ImdElement& child : children) {
        if (child.name == child_name) return &child;
    }
    return nullptr;
}

std::optional<ImdElement> ReadImd(const std::string& text, std::string* error) { return Reader(text).Read(error); }

}  // namespace korvo::test

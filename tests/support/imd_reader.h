#pragma once
// Reads a written intermediate file back for tests: its elements, their
// attributes and their text, without any of the writers' code. It knows
// only the shape the files have: tags, key="value" attributes (a bare word
// before a key, as in `perspective fovy="45"`, becomes part of the key),
// text between tags, and the <?xml ...?> line.

#include <optional>
#include <string>
#include <utility>
#include <vector>

namespace korvo::test {

struct ImdElement {
    std::string name;
    std::vector<std::pair<std::string, std::string>> attributes;  // in file order
    std::string text;  // the text directly inside, between the child elements
    std::vector<ImdElement> children;
    int line = 0;  // of the opening tag, from 1

    bool Has(const std::string& key) const;
    // "" when absent.
    const std::string& Attribute(const std::string& key) const;
    // The attribute as one whole integer; nullopt when absent or not one.
    std::optional<long> Int(const std::string& key) const;
    // The blank-separated numbers of an attribute or of the text; nullopt
    // when any word is not a number.
    std::optional<std::vector<double>> Numbers(const std::string& key) const;
    std::optional<std::vector<double>> TextNumbers() const;

    // Direct children with that name, in order.
    std::vector<const ImdElement*> Children(const std::string& child_name) const;
    // The first direct child with that name, or nullptr.
    const ImdElement* Child(const std::string& child_name) const;
};

// The root element of a file's text, or nullopt with *error as
// "line N: what is wrong".
std::optional<ImdElement> ReadImd(const std::string& text, std::string* error);

}  // namespace korvo::test

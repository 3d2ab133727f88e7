#pragma once
// A loaded glTF model with the name it is reported under. Everything that
// reads the model checks indices and sizes itself and stops with a
// GltfError whose text names the file, the offending property and what
// is wrong.

#include <stdexcept>
#include <string>
#include <vector>

#include "host/gltf/tiny_gltf_api.h"

namespace korvo::gltf {

class GltfError : public std::runtime_error {
    using std::runtime_error::runtime_error;
};

struct GltfSource {
    tinygltf::Model model;
    std::string label;   // the file as the user named it
    std::string folder;  // the file's folder, for external files
    std::vector<std::string>* warnings = nullptr;

    // "<label>: <where>: <what>".
    [[noreturn]] void Fail(const std::string& where, const std::string& what) const;
    void Warn(const std::string& where, const std::string& what) const;
};

// Loads the file at path; a file that tinygltf cannot read throws one
// GltfError holding all of tinygltf's errors and warnings.
void LoadGltfSource(const std::string& path, GltfSource& source);

// An integer JSON value as an int; -1 for anything else (which no index
// check accepts).
int IntegerOf(const tinygltf::Value& value);
// A number for messages.
std::string NumberText(double value);

// Checks that index is within a list of count entries.
void CheckIndex(const GltfSource& source, const std::string& where, int index, std::size_t count, const char* what);

}  // namespace korvo::gltf

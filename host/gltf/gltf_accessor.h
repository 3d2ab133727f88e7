#pragma once
// Reading a glTF accessor into plain numbers: strides, sparse substitution
// and normalised integers decoded, every byte range checked.

#include <cstddef>
#include <string>
#include <vector>

#include "host/gltf/gltf_source.h"

namespace korvo::gltf {

struct AccessorValues {
    int components = 1;          // numbers per element (16 for a MAT4)
    std::vector<double> values;  // element after element; matrices column by column

    std::size_t count() const { return values.size() / static_cast<std::size_t>(components); }
    double at(std::size_t element, int component) const { return values[element * components + component]; }
};

// The accessor's elements. where names the property that refers to the
// accessor, for messages; allowed_components lists the element sizes the
// caller can use (empty: any).
AccessorValues ReadAccessor(const GltfSource& source, int accessor, const std::string& where,
                            const std::vector<int>& allowed_components = {});

}  // namespace korvo::gltf

#pragma once
// How the exporter names itself in the files it writes.

#include <string>

namespace korvo {

inline constexpr int kHostVersion = 2010;
inline constexpr const char* kGeneratorVersion = "1.6.0.20090708";

// "3dsmax 2010 KVS_Export": the SDK's converters expect the original
// plug-in's name.
inline std::string GeneratorName() { return "3dsmax " + std::to_string(kHostVersion) + " KVS_Export"; }

}  // namespace korvo

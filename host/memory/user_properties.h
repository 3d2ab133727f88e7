#pragma once
// A node's user property buffer: free text of "key = value" lines, read the
// way the host reads it.

#include <optional>
#include <string>

namespace korvo {

// The value of the first line whose key matches (keys compare without
// regard to case; blanks around key and value are dropped).
std::optional<std::string> UserPropertyText(const std::string& buffer, const std::string& key);

// true, false, yes, no, 1 or 0 in any case; empty when the key is absent
// or its value is none of these.
std::optional<bool> UserPropertyBool(const std::string& buffer, const std::string& key);

}  // namespace korvo

#include "core/export_names.h"

#include <algorithm>

#include "core/paths.h"
#include "core/text_encoding.h"

namespace korvo {

namespace {

bool KeptByte(unsigned char c) {
    return c == '_' || (c >= '0' && c <= '9') || (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

std::string Suffixed(const std::string& base, int suffix) {
    return suffix == 0 ? base : base + "_" + std::to_string(suffix);
}

}  // namespace

std::string CleanExportName(const std::string& name) {
    std::string clean = EncodeShiftJis(name).bytes;
    for (char& c : clean) {
        if (!KeptByte(static_cast<unsigned char>(c))) c = '_';
    }
    return clean;
}

std::string TextureBaseName(std::string_view path) {
    std::string name = FileNamePart(path);
    name.resize(name.size() > 4 ? name.size() - 4 : 0);
    return CleanExportName(name);
}

std::string UniqueNames::Add(const std::string& base) {
    Walk& walk = walks_[base];
    std::string candidate = Suffixed(base, walk.suffix);
    for (;;) {
        const auto found = positions_.find(candidate);
        if (found == positions_.end()) break;
        const std::vector<int>& at = found->second;
        const auto next = std::upper_bound(at.begin(), at.end(), walk.position);
        if (next == at.end()) break;
        walk.position = *next;
        walk.suffix += 1;
        candidate = Suffixed(base, walk.suffix);
    }
    positions_[candidate].push_back(count_++);
    return candidate;
}

}  // namespace korvo

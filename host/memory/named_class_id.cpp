#include "host/memory/named_class_id.h"

namespace korvo {

ClassId NamedClassId(const std::string& class_name) {
    // FNV-1a; the second word marks the ID as made up.
    uint32_t hash = 2166136261u;
    for (const char c : class_name) {
        hash ^= static_cast<unsigned char>(c);
        hash *= 16777619u;
    }
    return ClassId{hash, 0x4B564D55};
}

}  // namespace korvo

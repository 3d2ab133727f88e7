#include "core/format.h"

#include <cstdio>

namespace korvo {

void AppendFormatV(std::string& out, const char* format, va_list args) {
    // Most lines of the files fit a small buffer: format once into it, and
    // only a longer text a second time at its full size.
    char line[256];
    va_list copy;
    va_copy(copy, args);
    const int size = std::vsnprintf(line, sizeof line, format, copy);
    va_end(copy);
    if (size <= 0) return;
    if (static_cast<std::size_t>(size) < sizeof line) {
        out.append(line, static_cast<std::size_t>(size));
        return;
    }
    const std::size_t start = out.size();
    out.resize(start + static_cast<std::size_t>(size));
    // The terminating zero lands on out[size()], which std::string keeps for it.
    std::vsnprintf(out.data() + start, static_cast<std::size_t>(size) + 1, format, args);
}

void AppendFormat(std::string& out, const char* format, ...) {
    va_list args;
    va_start(args, format);
    AppendFormatV(out, format, args);
    va_end(args);
}

std::string Format(const char* format, ...) {
    std::string text;
    va_list args;
    va_start(args, format);
    AppendFormatV(text, format, args);
    va_end(args);
    return text;
}

}  // namespace korvo

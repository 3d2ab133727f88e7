#include "core/diagnostics.h"

#include <cstdarg>

#include "core/format.h"

namespace korvo {

void Diagnostics::Warn(std::string text) {
    if (sink_) sink_(Diagnostic{Severity::Warning, std::move(text), {}});
}

void Diagnostics::WarnF(const char* format, ...) {
    std::string text;
    va_list args;
    va_start(args, format);
    AppendFormatV(text, format, args);
    va_end(args);
    Warn(std::move(text));
}

void Diagnostics::Error(std::string text, std::string caption) {
    if (sink_) sink_(Diagnostic{Severity::Error, std::move(text), std::move(caption)});
}

}  // namespace korvo

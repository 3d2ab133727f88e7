#pragma once
// printf-style formatting into std::string, for the exact format strings
// the files and messages use.

#include <cstdarg>
#include <string>

namespace korvo {

// Appends the formatted text to out.
void AppendFormatV(std::string& out, const char* format, va_list args);
void AppendFormat(std::string& out, const char* format, ...) __attribute__((format(printf, 2, 3)));
std::string Format(const char* format, ...) __attribute__((format(printf, 1, 2)));

}  // namespace korvo

#pragma once
// The command line: parses arguments, plays the host, runs the exporter.

#include <iosfwd>

namespace korvo {

// Exit codes: 0 success, 1 export failed, 2 usage or input error.
inline constexpr int kExitSuccess = 0;
inline constexpr int kExitExportFailed = 1;
inline constexpr int kExitUsage = 2;

struct Terminal {
    bool stdin_is_tty = false;
    bool stderr_is_tty = false;
};

int RunCommandLine(int argc, const char* const* argv, std::istream& in, std::ostream& out, std::ostream& err,
                   Terminal terminal);

}  // namespace korvo

#include <exception>
#include <iostream>
#include <unistd.h>

#include "app/cli.h"

int main(int argc, char** argv) {
    const korvo::Terminal terminal{isatty(STDIN_FILENO) != 0, isatty(STDERR_FILENO) != 0};
    try {
        return korvo::RunCommandLine(argc, argv, std::cin, std::cout, std::cerr, terminal);
    } catch (const std::exception& e) {
        // Only a broken installation gets here (no Shift_JIS converter, out
        // of memory): say so in one line rather than abort.
        std::cerr << "korvo-export: " << e.what() << '\n';
        return korvo::kExitExportFailed;
    }
}

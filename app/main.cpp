#include <iostream>
#include <unistd.h>

#include "app/cli.h"

int main(int argc, char** argv) {
    const korvo::Terminal terminal{isatty(STDIN_FILENO) != 0, isatty(STDERR_FILENO) != 0};
    return korvo::RunCommandLine(argc, argv, std::cin, std::cout, std::cerr, terminal);
}

#include "cli/command.h"

#include <csignal>
#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    // Past a file-size limit a write then fails, and the command says so, instead of the
    // program being ended without a word.
    std::signal(SIGXFSZ, SIG_IGN);
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    const cli::ProcessEnvironment environment = cli::readProcessEnvironment();
    return cli::runZebCalc(arguments, environment, std::cout, std::cerr,
                           cli::programChartRenderer(environment.programFolder));
}

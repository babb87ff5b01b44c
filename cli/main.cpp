#include "cli/command.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.emplace_back(argv[i]);
    }
    const cli::ProcessEnvironment environment = cli::readProcessEnvironment();
    return cli::runZebCalc(arguments, environment, std::cout, std::cerr,
                           cli::programChartRenderer(environment.programFolder));
}

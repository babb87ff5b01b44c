#include "cli/command.h"
#include "cli/system.h"

#include <iostream>
#include <string>
#include <vector>

int main(int argc, char** argv) {
    cli::system::prepareProcess();
    const std::vector<std::string> arguments = cli::system::programArguments(argc, argv);
    const cli::ProcessEnvironment environment = cli::readProcessEnvironment();
    return cli::runZebCalc(arguments, environment, std::cout, std::cerr,
                           cli::programChartRenderer(environment.programFolder));
}

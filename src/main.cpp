#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "base/CommandLine.h"
#include "base/ConsoleOutput.h"
#include "driver/RunConversion.h"

int main(int argc, char* argv[]) {
    const Utf8ConsoleOutput utf8Console(std::cout);
    // Only the first two arguments are looked at; further ones are ignored.
    std::vector<std::string> arguments = commandLineArguments(argc, argv);
    if (arguments.size() > 2) arguments.resize(2);
    try {
        return runConversion(arguments, std::cout);
    } catch (const std::exception& error) {
        std::cout << "Error: " << error.what() << "\n";
        return -1;
    }
}

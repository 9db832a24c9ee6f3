#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "base/CommandLine.h"
#include "base/ConsoleOutput.h"
#include "driver/RunConversion.h"

int main(int argc, char* argv[]) {
    const Utf8ConsoleOutput utf8Console(std::cout);
    // runConversion decides which arguments it looks at.
    const std::vector<std::string> arguments = commandLineArguments(argc, argv);
    try {
        return runConversion(arguments, std::cout);
    } catch (const std::exception& error) {
        std::cout << "Error: " << error.what() << "\n";
        return -1;
    }
}

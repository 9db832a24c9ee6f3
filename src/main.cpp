#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "base/CommandLine.h"
#include "base/ConsoleOutput.h"
#include "base/ConsoleWait.h"
#include "base/ProgramFolder.h"
#include "driver/RunConversion.h"

namespace {

int run(const std::vector<std::string>& arguments) {
    try {
        return runConversion(arguments, std::cout, ".", programFolder());
    } catch (const std::exception& error) {
        std::cout << "Error: " << error.what() << "\n";
        return -1;
    }
}

}  // namespace

int main(int argc, char* argv[]) {
    const Utf8ConsoleOutput utf8Console(std::cout);
    // runConversion decides which arguments it looks at.
    const int code = run(commandLineArguments(argc, argv));
    waitForEnterIfAlone(consoleStart(), std::cout, std::cin);
    return code;
}

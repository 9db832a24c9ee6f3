#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "driver/RunConversion.h"

int main(int argc, char* argv[]) {
    // runConversion decides which arguments it looks at.
    std::vector<std::string> arguments;
    for (int i = 1; i < argc; ++i) arguments.emplace_back(argv[i]);
    try {
        return runConversion(arguments, std::cout);
    } catch (const std::exception& error) {
        std::cout << "Error: " << error.what() << "\n";
        return -1;
    }
}

#include <exception>
#include <iostream>
#include <string>
#include <vector>

#include "driver/RunConversion.h"

int main(int argc, char* argv[]) {
    // Only the first two arguments are looked at; further ones are ignored.
    std::vector<std::string> arguments;
    for (int i = 1; i < argc && i <= 2; ++i) arguments.emplace_back(argv[i]);
    try {
        return runConversion(arguments, std::cout);
    } catch (const std::exception& error) {
        std::cout << "Error: " << error.what() << "\n";
        return -1;
    }
}

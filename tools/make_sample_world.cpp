// Writes a synthetic sample world (kit/SampleWorld.h): a template folder, one scenario
// folder of each edition, one whose pictures are GIFs and one that converts with notes,
// all drawn from one seed.
#include <cstdlib>
#include <iostream>
#include <string>

#include "kit/SampleWorld.h"

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::cout << "usage: make_sample_world <folder> [seed]\n";
        return 1;
    }
    const std::filesystem::path root = argv[1];
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;

    for (const auto& path : writeSampleWorld(root, seed)) std::cout << "wrote " << path.string() << "\n";
    std::cout << "wrote " << (root / "template").string() << "\n";
    return 0;
}

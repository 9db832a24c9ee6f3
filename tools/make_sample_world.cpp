// Writes a synthetic sample world: a template folder, one scenario folder of each edition
// and one whose pictures are GIFs, all drawn from one seed.
#include <cstdlib>
#include <iostream>
#include <string>

#include "kit/PictureKinds.h"
#include "kit/SampleWorld.h"

int main(int argc, char* argv[]) {
    if (argc < 2) {
        std::cout << "usage: make_sample_world <folder> [seed]\n";
        return 1;
    }
    const std::filesystem::path root = argv[1];
    const std::uint64_t seed = argc > 2 ? std::strtoull(argv[2], nullptr, 10) : 1;

    writeTemplateFolder(root / "template", seed);
    // The last scenario ships its pictures as scenarios of the source editions do: as GIFs.
    const struct {
        const char* folder;
        ScenarioEdition edition;
        const char* pictureKind;
    } scenarios[] = {{"classic", Classic, nullptr},
                     {"conflicts", Conflicts, nullptr},
                     {"fantastic", FantasticWorlds, nullptr},
                     {"gif", Classic, "GIF87a"}};
    for (const auto& scenario : scenarios) {
        ScenarioFolderOptions options;
        options.scenario.edition = scenario.edition;
        options.scenario.seed = seed;
        if (scenario.pictureKind != nullptr) options.pictureKind = &pictureKind(scenario.pictureKind);
        const auto path = writeScenarioFolder(root / scenario.folder, options);
        std::cout << "wrote " << path.string() << "\n";
    }
    std::cout << "wrote " << (root / "template").string() << "\n";
    return 0;
}

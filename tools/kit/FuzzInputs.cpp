#include "kit/FuzzInputs.h"

#include <algorithm>
#include <cstring>

namespace {

constexpr ScenarioEdition kEditions[] = {Classic, Conflicts, FantasticWorlds};
constexpr std::size_t kPictureHeaderBytes = 54;
constexpr std::size_t kBitmapPrefixBytes = 6;  // role, edition, four bytes of length

}  // namespace

ScenarioEdition editionFromSelector(std::uint8_t selector) { return kEditions[selector % 3]; }

std::uint8_t selectorForEdition(ScenarioEdition edition) {
    for (std::uint8_t i = 0; i < 3; ++i) {
        if (kEditions[i] == edition) return i;
    }
    return 1;
}

// Group separators around a word: nothing that a rules text of the game holds.
const char kRulesFuzzSeparator[] = "\x1D\x1DTEMPLATE\x1D\x1D";

RulesFuzzInput decodeRulesFuzzInput(const std::uint8_t* data, std::size_t size) {
    RulesFuzzInput input;
    if (size == 0) return input;
    input.edition = editionFromSelector(data[0]);
    const std::string rest(reinterpret_cast<const char*>(data) + 1, size - 1);
    const std::size_t separator = rest.find(kRulesFuzzSeparator);
    if (separator == std::string::npos) {
        input.scenarioText = rest;
    } else {
        input.scenarioText = rest.substr(0, separator);
        input.templateText = rest.substr(separator + std::strlen(kRulesFuzzSeparator));
    }
    return input;
}

FuzzBytes encodeRulesFuzzInput(const RulesFuzzInput& input) {
    const std::string text = std::string(1, static_cast<char>(selectorForEdition(input.edition))) + input.scenarioText +
                             kRulesFuzzSeparator + input.templateText;
    return FuzzBytes(text.begin(), text.end());
}

//                                    picture             its step's picture  template
const BitmapFuzzRole kBitmapFuzzRoles[kBitmapFuzzRoleCount] = {
    {"Units.bmp", "Units.bmp", false},       {"Cities.bmp", "Cities.bmp", false},
    {"Icons.bmp", "Icons.bmp", false},       {"People.bmp", "People.bmp", false},
    {"Terrain1.bmp", "Terrain1.bmp", false}, {"Terrain2.bmp", "Terrain2.bmp", false},
    {"Units.bmp", "Units.bmp", true},        {"Cities.bmp", "Cities.bmp", true},
    {"Icons.bmp", "Icons.bmp", true},        {"Improvements.bmp", "Icons.bmp", true},
    {"People.bmp", "People.bmp", true},      {"Terrain1.bmp", "Terrain1.bmp", true},
    {"Terrain2.bmp", "Terrain2.bmp", true},
};

BitmapFuzzInput decodeBitmapFuzzInput(const std::uint8_t* data, std::size_t size) {
    BitmapFuzzInput input;
    if (size < kBitmapPrefixBytes) return input;
    input.role = data[0] % kBitmapFuzzRoleCount;
    input.edition = editionFromSelector(data[1]);
    const std::uint32_t length = std::min<std::uint32_t>(
        kMaxFuzzPictureBytes, data[2] | data[3] << 8 | data[4] << 16 | std::uint32_t{data[5]} << 24);
    const std::uint8_t* start = data + kBitmapPrefixBytes;
    const std::size_t startBytes = std::min<std::size_t>(size - kBitmapPrefixBytes, length);
    input.file.assign(start, start + startBytes);
    input.file.resize(length, 0);
    // The pixels of the given start, repeated to the length of the file: each copy doubles
    // the repeated run, so that a megabyte takes a few block copies.
    const std::size_t patternBegin = std::min(startBytes, kPictureHeaderBytes);
    if (startBytes == patternBegin) return input;
    const auto repeated = input.file.begin() + static_cast<std::ptrdiff_t>(patternBegin);
    for (std::size_t filled = startBytes; filled < length;) {
        const std::size_t block = std::min<std::size_t>(length - filled, filled - patternBegin);
        std::copy(repeated, repeated + static_cast<std::ptrdiff_t>(block),
                  input.file.begin() + static_cast<std::ptrdiff_t>(filled));
        filled += block;
    }
    return input;
}

FuzzBytes encodeBitmapFuzzInput(std::size_t role, ScenarioEdition edition, const FuzzBytes& fileStart,
                                std::uint32_t fileLength) {
    FuzzBytes input(kBitmapPrefixBytes + fileStart.size());
    input[0] = static_cast<std::uint8_t>(role);
    input[1] = selectorForEdition(edition);
    for (int i = 0; i < 4; ++i) input[2 + i] = static_cast<std::uint8_t>(fileLength >> (8 * i));
    std::copy(fileStart.begin(), fileStart.end(), input.begin() + kBitmapPrefixBytes);
    return input;
}

std::vector<std::string> decodeArgumentsFuzzInput(const std::uint8_t* data, std::size_t size) {
    std::vector<std::string> arguments;
    if (size == 0) return arguments;
    const char* text = reinterpret_cast<const char*>(data);
    std::size_t begin = 0;
    while (arguments.size() < kMaxFuzzArguments) {
        const char* zero =
            begin < size ? static_cast<const char*>(std::memchr(text + begin, '\0', size - begin)) : nullptr;
        const std::size_t end = zero == nullptr ? size : static_cast<std::size_t>(zero - text);
        arguments.emplace_back(text + begin, end - begin);
        if (zero == nullptr) break;
        begin = end + 1;
    }
    return arguments;
}

FuzzBytes encodeArgumentsFuzzInput(const std::vector<std::string>& arguments) {
    FuzzBytes input;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        if (i > 0) input.push_back(0);
        input.insert(input.end(), arguments[i].begin(), arguments[i].end());
    }
    return input;
}

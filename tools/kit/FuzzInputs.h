#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "base/ScenarioEdition.h"

// How the fuzz targets read their raw input bytes, shared with the seed writer so that
// the seeds decode exactly as the targets expect. Every byte sequence decodes to
// something: a fuzzer's mutations never make an input unusable, only different.

using FuzzBytes = std::vector<std::uint8_t>;

// The edition that a selector byte picks, in the order Classic, Conflicts, FantasticWorlds.
ScenarioEdition editionFromSelector(std::uint8_t selector);
std::uint8_t selectorForEdition(ScenarioEdition edition);

// --- rules texts ------------------------------------------------------------------------
// Byte 0 selects the edition; the rest is the scenario text, then the separator, then the
// template text. Without a separator the whole rest is the scenario text and the template
// is empty. Any byte, a zero byte included, may stand in either text.
extern const char kRulesFuzzSeparator[];
struct RulesFuzzInput {
    ScenarioEdition edition = Classic;
    std::string scenarioText;
    std::string templateText;
};
RulesFuzzInput decodeRulesFuzzInput(const std::uint8_t* data, std::size_t size);
FuzzBytes encodeRulesFuzzInput(const RulesFuzzInput& input);

// --- pictures ---------------------------------------------------------------------------
// Which picture of the graphics conversion the fuzzed file stands for: one of the six
// scenario pictures, or one of the seven templates. The other pictures of its step are
// sound ones.
struct BitmapFuzzRole {
    const char* picture;      // file name of the fuzzed picture
    const char* stepPicture;  // the scenario picture whose step reads it
    bool isTemplate;
};
constexpr std::size_t kBitmapFuzzRoleCount = 13;
extern const BitmapFuzzRole kBitmapFuzzRoles[kBitmapFuzzRoleCount];

// Byte 0 selects the role, byte 1 the edition, bytes 2-5 the length of the picture file
// (little-endian, at most kMaxFuzzPictureBytes); the rest is the start of the file, its
// header above all. A file longer than that start is filled up by repeating the bytes
// after the first 54 (the pixels), or with zeros when there are none: so an input of a
// few hundred bytes stands for a whole 640 x 480 picture, and the fuzzer spends its
// mutations on headers, sizes and the pixel pattern instead of on a megabyte of pixels.
constexpr std::uint32_t kMaxFuzzPictureBytes = 2u << 20;
struct BitmapFuzzInput {
    std::size_t role = 0;
    ScenarioEdition edition = Conflicts;
    FuzzBytes file;
};
BitmapFuzzInput decodeBitmapFuzzInput(const std::uint8_t* data, std::size_t size);
// `fileStart` is the start of the file, `fileLength` its whole length.
FuzzBytes encodeBitmapFuzzInput(std::size_t role, ScenarioEdition edition, const FuzzBytes& fileStart,
                                std::uint32_t fileLength);

// --- command line ------------------------------------------------------------------------
// The arguments, separated by zero bytes (which no real argument holds); at most
// kMaxFuzzArguments are taken.
constexpr std::size_t kMaxFuzzArguments = 4;
std::vector<std::string> decodeArgumentsFuzzInput(const std::uint8_t* data, std::size_t size);
FuzzBytes encodeArgumentsFuzzInput(const std::vector<std::string>& arguments);

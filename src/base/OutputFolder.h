#pragma once

// The folder, inside the scenario folder, that receives every output of a run.
inline constexpr const char* kConvertedFolder = "Converted";

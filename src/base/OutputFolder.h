#pragma once

// The folder, inside the scenario folder, that receives a run's outputs unless the user
// names another one (--out).
inline constexpr const char* kConvertedFolder = "Converted";

#pragma once

#include <filesystem>

// Asks the operating system to write the file's data to the disk before it returns, so
// that a rename that survives a power loss never names a file whose data did not. False
// when the platform reports a failure.
bool syncToDisk(const std::filesystem::path& file);

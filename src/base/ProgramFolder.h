#pragma once

#include <filesystem>

// The folder that holds the running program's executable, as the system knows it
// (GetModuleFileNameW on Windows, /proc/self/exe on Linux); empty where the system cannot
// tell.
std::filesystem::path programFolder();

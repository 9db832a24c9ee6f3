#pragma once

#include <filesystem>
#include <string>

// A fresh folder under the system's temporary folder for the bitmap tests and benchmark,
// removed with everything in it when the object goes out of scope.
class BitmapScratchFolder {
public:
    explicit BitmapScratchFolder(const std::string& label = "bitmaps");
    ~BitmapScratchFolder();
    BitmapScratchFolder(const BitmapScratchFolder&) = delete;
    BitmapScratchFolder& operator=(const BitmapScratchFolder&) = delete;

    const std::filesystem::path& path() const { return path_; }

private:
    std::filesystem::path path_;
};

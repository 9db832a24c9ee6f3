#include <gtest/gtest.h>

#ifdef _WIN32

#include <filesystem>
#include <string>
#include <vector>

#include <windows.h>

namespace {

// One text of the program's version information, read as Explorer's Properties read it.
std::wstring versionText(const std::vector<char>& information, const wchar_t* name) {
    void* value = nullptr;
    UINT length = 0;
    const std::wstring key = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(information.data(), key.c_str(), &value, &length) || length == 0) return L"";
    return std::wstring(static_cast<const wchar_t*>(value), length - 1);
}

}  // namespace

TEST(VersionInfo, ExplorerShowsTheProductAndItsVersion) {
    const std::wstring program = std::filesystem::absolute(TAVOREL_BINARY).wstring();
    DWORD handle = 0;
    const DWORD size = GetFileVersionInfoSizeW(program.c_str(), &handle);
    ASSERT_GT(size, 0u);
    std::vector<char> information(size);
    ASSERT_TRUE(GetFileVersionInfoW(program.c_str(), 0, size, information.data()));
    const std::string version = TAVOREL_VERSION;
    const std::wstring wideVersion(version.begin(), version.end());
    EXPECT_EQ(versionText(information, L"ProductName"), L"Tavorel");
    EXPECT_EQ(versionText(information, L"FileVersion"), wideVersion);
    EXPECT_EQ(versionText(information, L"ProductVersion"), wideVersion);
    EXPECT_NE(versionText(information, L"FileDescription"), L"");
}

#endif

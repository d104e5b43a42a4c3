// The program's Windows resources as Windows reads them from an executable:
// the manifest's code page, the version information and the icon's sizes.
// Built with MinGW-w64, linked with the program's resource script, run under wine.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <string>
#include <vector>

namespace {

#pragma pack(push, 2)
struct IconGroupHeader {
    WORD reserved;
    WORD type;
    WORD count;
};
struct IconGroupEntry {
    BYTE width;  // 0 stands for 256
    BYTE height;
    BYTE colours;
    BYTE reserved;
    WORD planes;
    WORD bitCount;
    DWORD bytes;
    WORD id;
};
#pragma pack(pop)

std::string narrow(const wchar_t *text)
{
    std::string out;
    for (; text && *text; ++text)
        out += *text < 128 ? char(*text) : '?';
    return out;
}

std::string versionValue(const char *name)
{
    wchar_t self[MAX_PATH];
    GetModuleFileNameW(nullptr, self, MAX_PATH);
    DWORD ignored = 0;
    std::vector<char> block(GetFileVersionInfoSizeW(self, &ignored));
    if (block.empty() || !GetFileVersionInfoW(self, 0, DWORD(block.size()), block.data()))
        return "(no version information)";
    std::wstring path = L"\\StringFileInfo\\040904B0\\";
    for (const char *c = name; *c; ++c)
        path += wchar_t(*c);
    void *value = nullptr;
    UINT length = 0;
    if (!VerQueryValueW(block.data(), path.c_str(), &value, &length))
        return "(missing)";
    return narrow(static_cast<const wchar_t *>(value));
}

std::string iconSizes()
{
    HRSRC found = FindResourceW(nullptr, L"IDI_ICON1", MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
    if (!found)
        return "(no icon)";
    const auto *header = static_cast<const IconGroupHeader *>(LockResource(LoadResource(nullptr, found)));
    const auto *entries = reinterpret_cast<const IconGroupEntry *>(header + 1);
    std::vector<int> sizes;
    for (WORD i = 0; i < header->count; ++i)
        sizes.push_back(entries[i].width == 0 ? 256 : entries[i].width);
    std::sort(sizes.begin(), sizes.end());
    std::string out;
    for (const int size : sizes)
        out += (out.empty() ? "" : " ") + std::to_string(size);
    return out;
}

}  // namespace

int main()
{
    struct Check {
        const char *what;
        std::string actual;
        std::string expected;
    };
    const Check checks[] = {
        {"code page of the narrow calls (manifest)", std::to_string(GetACP()), "65001"},
        {"product name", versionValue("ProductName"), "Orvel Biblical Numerology"},
        {"product version", versionValue("ProductVersion"), ORVEL_VERSION},
        {"original file name", versionValue("OriginalFilename"), "OrvelFreeBiblicalNumerology.exe"},
        {"icon sizes", iconSizes(), "16 24 32 48 64 128 256"},
    };
    int failures = 0;
    for (const Check &check : checks) {
        const bool passed = check.actual == check.expected;
        failures += passed ? 0 : 1;
        std::printf("%s %s: %s\n", passed ? "PASS" : "FAIL", check.what, check.actual.c_str());
    }
    std::printf("%d of %zu failed\n", failures, std::size(checks));
    return failures == 0 ? 0 : 1;
}

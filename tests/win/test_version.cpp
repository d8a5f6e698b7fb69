// One version, everywhere a user can read it: the About box, the
// executable's version resource and the build's version header.
#include "tray/about_box.h"
#include "version.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// A string from the running module's own VERSIONINFO (the same resource
// script as the program's).
std::string versionString(const char* name)
{
    const HRSRC info = FindResourceA(nullptr, MAKEINTRESOURCEA(VS_VERSION_INFO), MAKEINTRESOURCEA(16));
    if (!info)
        return "(no version resource)";
    const HGLOBAL loaded = LoadResource(nullptr, info);
    const DWORD size = SizeofResource(nullptr, info);
    // VerQueryValue wants a writable copy.
    std::vector<char> copy(static_cast<const char*>(LockResource(loaded)),
                           static_cast<const char*>(LockResource(loaded)) + size);
    void* value = nullptr;
    UINT length = 0;
    const std::string path = std::string("\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueA(copy.data(), path.c_str(), &value, &length) || length == 0)
        return "(missing " + std::string(name) + ")";
    return static_cast<const char*>(value);
}

} // namespace

TEST(Version, AboutTextVersionResourceAndBuildAgree)
{
    const std::string version = HALVESTA_VERSION;
    EXPECT_NE(std::string(aboutText()).find("\nVersion " + version + "\n"), std::string::npos) << aboutText();
    EXPECT_EQ(versionString("FileVersion"), version);
    EXPECT_EQ(versionString("ProductVersion"), version);
    EXPECT_EQ(versionString("ProductName"), "Halvesta");
}

TEST(Version, AboutTextHasFiveLines)
{
    const std::string text = aboutText();
    EXPECT_EQ(text.rfind("Halvesta\n\nVersion ", 0), 0u);
    int lineFeeds = 0;
    for (char c : text)
        lineFeeds += c == '\n';
    EXPECT_EQ(lineFeeds, 4);
}

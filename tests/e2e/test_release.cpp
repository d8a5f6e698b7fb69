// The release archive carries everything a user needs, under the version's
// name, with its checksum beside it; the rest of this tier runs the program
// unpacked from it.
#include "e2e_support.h"
#include "version.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

namespace {

std::string commandOutput(const std::string& command)
{
    std::string out;
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return out;
    char buffer[4096];
    size_t got;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        out.append(buffer, got);
    pclose(pipe);
    return out;
}

} // namespace

TEST(Release, ArchiveIsNamedForTheVersionAndHoldsTheWholeProgram)
{
    const std::string zip = requiredEnv("HALVESTA_RELEASE_ZIP");
    const std::string name = zip.substr(zip.find_last_of('/') + 1);
    EXPECT_EQ(name, std::string("halvesta-") + HALVESTA_VERSION + "-win64.zip");

    const std::string files = commandOutput("unzip -Z1 '" + zip + "'");
    for (const char* entry :
         {"halvesta/halvesta.exe", "halvesta/halvesta-check.exe", "halvesta/config.ini", "halvesta/icon.ico",
          "halvesta/res/fira-code.png", "halvesta/res/OFL.txt", "README.md", "LICENSE"})
        EXPECT_NE(files.find(std::string(entry) + "\n"), std::string::npos) << entry << " missing from " << name;
}

// The checksum file names the zip and holds its SHA-256, in the form
// sha256sum -c reads.
TEST(Release, ChecksumBesideTheArchiveIsTheArchives)
{
    const std::string zip = requiredEnv("HALVESTA_RELEASE_ZIP");
    const std::string name = zip.substr(zip.find_last_of('/') + 1);
    const std::string digest = commandOutput("sha256sum '" + zip + "'").substr(0, 64);
    ASSERT_EQ(digest.size(), 64u);
    EXPECT_EQ(readBytes(zip + ".sha256"), digest + "  " + name + "\n");
}

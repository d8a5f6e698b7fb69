#pragma once

#include <stdlib.h>

#include <filesystem>
#include <string>
#include <system_error>

// A fresh directory for one test's files, removed again at the end.
class ScratchDir {
public:
    ScratchDir()
    {
        char pattern[] = "/tmp/halvesta-unit-XXXXXX";
        if (const char* made = mkdtemp(pattern))
            path = made;
    }
    ~ScratchDir()
    {
        std::error_code ignored;
        if (!path.empty())
            std::filesystem::remove_all(path, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    std::string path;
};

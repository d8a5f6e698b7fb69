#pragma once

#include <filesystem>
#include <random>
#include <string>
#include <system_error>

// A fresh directory for one test's files, removed again at the end.
class ScratchDir {
public:
    ScratchDir()
    {
        std::error_code error;
        const std::filesystem::path base = std::filesystem::temp_directory_path(error);
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path.empty() && !error; ++attempt) {
            const std::filesystem::path candidate = base / ("halvesta-unit-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate, error))
                path = candidate.generic_string();
        }
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

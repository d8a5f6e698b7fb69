#pragma once

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <random>
#include <sstream>
#include <string>
#include <system_error>

// A whole file's bytes; empty when it cannot be read.
inline std::string readBytes(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream bytes;
    bytes << in.rdbuf();
    return bytes.str();
}

inline void writeBytes(const std::string& path, const std::string& bytes)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << bytes;
    EXPECT_TRUE(out.flush().good()) << "cannot write " << path;
}

// A fresh directory for one test's files, removed with them at the end.
class ScratchDir {
public:
    ScratchDir()
    {
        std::error_code error;
        const std::filesystem::path base = std::filesystem::temp_directory_path(error);
        std::random_device random;
        for (int attempt = 0; attempt < 100 && path_.empty() && !error; ++attempt) {
            const std::filesystem::path candidate = base / ("halvesta-test-" + std::to_string(random()));
            if (std::filesystem::create_directory(candidate, error))
                path_ = candidate.generic_string();
        }
        if (path_.empty())
            ADD_FAILURE() << "cannot create a scratch directory under " << base;
    }
    ~ScratchDir()
    {
        std::error_code ignored;
        if (!path_.empty())
            std::filesystem::remove_all(path_, ignored);
    }
    ScratchDir(const ScratchDir&) = delete;
    ScratchDir& operator=(const ScratchDir&) = delete;

    const std::string& path() const { return path_; }
    std::string file(const std::string& name) const { return path_ + "/" + name; }
    void write(const std::string& name, const std::string& bytes) const { writeBytes(file(name), bytes); }

private:
    std::string path_;
};

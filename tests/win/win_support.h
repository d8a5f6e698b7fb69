#pragma once
// Shared pieces of the in-process tier: a display window per test, frame
// readback, scratch directories and source-tree paths.
#include "app/app.h"
#include "test_files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

struct Rgb {
    int red;
    int green;
    int blue;
};

inline bool operator==(const Rgb& a, const Rgb& b)
{
    return a.red == b.red && a.green == b.green && a.blue == b.blue;
}

inline bool operator!=(const Rgb& a, const Rgb& b)
{
    return !(a == b);
}

std::ostream& operator<<(std::ostream& out, const Rgb& pixel);

// The current read buffer of the display window, 600 x 100 RGBA.
class Frame {
public:
    static Frame read();
    // x to the right, y downwards, as in the strip's pixel space.
    Rgb at(int x, int y) const;
    // How many pixels are not pure black.
    int litPixels() const;

private:
    std::vector<unsigned char> rgba_;
};

// Removes everything queued for this thread; quit messages are dropped.
void drainMessages();

// Deletes the GL context, the App, its window and the window class.
void tearDownApp(std::unique_ptr<App>& app);

// A fresh display window with its context current, for each test.
class DisplayTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    std::unique_ptr<App> app;
};

// Makes `path` the working directory until destroyed.
class WorkingDirectory {
public:
    explicit WorkingDirectory(const std::string& path);
    ~WorkingDirectory();
    WorkingDirectory(const WorkingDirectory&) = delete;
    WorkingDirectory& operator=(const WorkingDirectory&) = delete;

private:
    std::string previous_;
};

// An RGBA image to write as PNG, all pixels transparent black at first.
struct RgbaImage {
    RgbaImage(int imageWidth, int imageHeight)
        : width(imageWidth), height(imageHeight),
          rgba(static_cast<std::size_t>(imageWidth) * static_cast<std::size_t>(imageHeight) * 4, 0)
    {
    }
    void set(int x, int y, Rgb colour, int alpha);

    int width;
    int height;
    std::vector<std::uint8_t> rgba;
};

bool writePng(const std::string& path, const RgbaImage& image);

// A file of the source tree, usable whatever the working directory.
std::string sourcePath(const std::string& relative);
// Its bytes; empty when it cannot be read.
std::string readSourceFile(const std::string& relative);

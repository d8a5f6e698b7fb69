#pragma once
// Shared pieces of the in-process tier: a display window per test, frame
// readback, scratch directories and source-tree paths.
#include "app/app.h"
#include "images.h"
#include "test_files.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <cstdint>
#include <iosfwd>
#include <memory>
#include <string>
#include <vector>

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

// A file of the source tree, usable whatever the working directory.
std::string sourcePath(const std::string& relative);
// Its bytes; empty when it cannot be read.
std::string readSourceFile(const std::string& relative);

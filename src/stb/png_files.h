#pragma once

// PNG files for every target that reads or writes one. stb_image and
// stb_image_write are compiled in this library alone, with internal
// linkage, so each program keeps only the parts it calls.
#include <string>
#include <vector>

// 8-bit RGBA whatever the file holds, top row first; null when the file
// cannot be read or decoded. The pixels go back to freePngPixels.
unsigned char* loadPngRgba(const char* path, int& width, int& height);
void freePngPixels(unsigned char* pixels);

// The same pixels held in a vector; empty when there are none.
std::vector<unsigned char> readPngRgba(const std::string& path, int& width, int& height);

// `channels` bytes a pixel (3 RGB, 4 RGBA), rows packed, top row first.
// False when the file cannot be written.
bool writePng(const char* path, int width, int height, int channels, const unsigned char* pixels);

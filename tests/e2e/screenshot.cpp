#include "screenshot.h"

#include "stb/png_files.h"

#include <cstdio>
#include <cstdlib>

namespace {

uint32_t bigEndian32(const unsigned char* bytes)
{
    return (uint32_t(bytes[0]) << 24) | (uint32_t(bytes[1]) << 16) | (uint32_t(bytes[2]) << 8) | bytes[3];
}

std::vector<unsigned char> runCapture()
{
    const char* display = std::getenv("DISPLAY");
    std::vector<unsigned char> data;
    if (!display)
        return data;
    const std::string command = std::string("timeout 20 xwd -root -silent -display '") + display + "'";
    FILE* pipe = popen(command.c_str(), "r");
    if (!pipe)
        return data;
    unsigned char buffer[65536];
    size_t got = 0;
    while ((got = fread(buffer, 1, sizeof buffer, pipe)) > 0)
        data.insert(data.end(), buffer, buffer + got);
    pclose(pipe);
    return data;
}

int maskShift(uint32_t mask)
{
    int shift = 0;
    while (mask && !(mask & 1u)) {
        mask >>= 1;
        ++shift;
    }
    return shift;
}

} // namespace

// XWD: a header of big-endian 32-bit fields, the colour map, then ZPixmap
// rows of true-colour pixels.
Screenshot captureScreen()
{
    Screenshot shot;
    const std::vector<unsigned char> data = runCapture();
    if (data.size() < 100)
        return shot;
    const uint32_t headerSize = bigEndian32(&data[0]);
    const uint32_t width = bigEndian32(&data[16]);
    const uint32_t height = bigEndian32(&data[20]);
    const uint32_t byteOrder = bigEndian32(&data[28]);
    const uint32_t bitsPerPixel = bigEndian32(&data[44]);
    const uint32_t bytesPerLine = bigEndian32(&data[48]);
    const uint32_t redMask = bigEndian32(&data[56]);
    const uint32_t greenMask = bigEndian32(&data[60]);
    const uint32_t blueMask = bigEndian32(&data[64]);
    const uint32_t colours = bigEndian32(&data[76]);
    const size_t offset = headerSize + size_t(colours) * 12;
    // Xvfb at depth 24 may store packed 3-byte pixels in padded rows: the
    // header's bits per pixel says which.
    const uint32_t bytesPerPixel = bitsPerPixel / 8;
    if ((bytesPerPixel != 4 && bytesPerPixel != 3) || size_t(bytesPerPixel) * width > bytesPerLine
        || data.size() < offset + size_t(bytesPerLine) * height)
        return shot;
    shot.width = static_cast<int>(width);
    shot.height = static_cast<int>(height);
    shot.pixels.resize(size_t(width) * height);
    for (uint32_t y = 0; y < height; ++y) {
        for (uint32_t x = 0; x < width; ++x) {
            const unsigned char* p = &data[offset + size_t(y) * bytesPerLine + size_t(x) * bytesPerPixel];
            uint32_t value = 0;
            for (uint32_t i = 0; i < bytesPerPixel; ++i)
                value |= uint32_t(byteOrder == 0 ? p[i] : p[bytesPerPixel - 1 - i]) << (8 * i);
            Rgb& out = shot.pixels[size_t(y) * width + x];
            out.red = static_cast<int>((value & redMask) >> maskShift(redMask));
            out.green = static_cast<int>((value & greenMask) >> maskShift(greenMask));
            out.blue = static_cast<int>((value & blueMask) >> maskShift(blueMask));
        }
    }
    return shot;
}

void savePng(const Screenshot& shot, const std::string& path)
{
    if (shot.pixels.empty())
        return;
    std::vector<unsigned char> bytes;
    bytes.reserve(shot.pixels.size() * 3);
    for (const Rgb& pixel : shot.pixels)
        bytes.insert(bytes.end(),
                     {static_cast<unsigned char>(pixel.red), static_cast<unsigned char>(pixel.green),
                      static_cast<unsigned char>(pixel.blue)});
    writePng(path.c_str(), shot.width, shot.height, 3, bytes.data());
}

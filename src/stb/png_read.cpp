#include "stb/png_files.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#include <stb_image.h>

unsigned char* loadPngRgba(const char* path, int& width, int& height)
{
    int channelsInFile = 0;
    return stbi_load(path, &width, &height, &channelsInFile, 4);
}

void freePngPixels(unsigned char* pixels)
{
    stbi_image_free(pixels);
}

std::vector<unsigned char> readPngRgba(const std::string& path, int& width, int& height)
{
    std::vector<unsigned char> rgba;
    if (unsigned char* pixels = loadPngRgba(path.c_str(), width, height)) {
        rgba.assign(pixels, pixels + static_cast<std::size_t>(width) * height * 4);
        freePngPixels(pixels);
    }
    return rgba;
}

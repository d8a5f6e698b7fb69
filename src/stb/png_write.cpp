// A unit of its own, so a program that only reads links none of it.
#include "stb/png_files.h"

#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_WRITE_IMPLEMENTATION
#include <stb_image_write.h>

bool writePng(const char* path, int width, int height, int channels, const unsigned char* pixels)
{
    return stbi_write_png(path, width, height, channels, pixels, width * channels) != 0;
}

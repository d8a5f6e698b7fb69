#include "stb/png_files.h"

#define STB_IMAGE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_HDR
#define STBI_NO_LINEAR
// GCC and clang see stb as a system header (its folder is included as
// such); MSVC needs telling.
#if defined(_MSC_VER)
#pragma warning(push, 0)
#endif
#include <stb_image.h>
#if defined(_MSC_VER)
#pragma warning(pop)
#endif

unsigned char* loadPngRgba(const char* path, int& width, int& height)
{
    int channelsInFile = 0;
    return stbi_load(path, &width, &height, &channelsInFile, 4);
}

void freePngPixels(unsigned char* pixels)
{
    stbi_image_free(pixels);
}

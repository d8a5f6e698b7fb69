// The one unit that compiles stb for the checker: PNG in, PNG out.
#include "check/preview.h"

// Static: the unit tests link their own copy of stb_image beside this one.
#define STB_IMAGE_STATIC
#define STB_IMAGE_WRITE_STATIC
#define STB_IMAGE_IMPLEMENTATION
#define STBI_ONLY_PNG
#define STBI_NO_HDR
#define STBI_NO_LINEAR
#define STB_IMAGE_WRITE_IMPLEMENTATION
// GCC and clang see stb as a system header (its folder is included as
// such); MSVC needs telling.
#if defined(_MSC_VER)
#pragma warning(push, 0)
#endif
#include <stb_image.h>
#include <stb_image_write.h>
#if defined(_MSC_VER)
#pragma warning(pop)
#endif

RgbaPixels loadImage(const std::string& path)
{
    RgbaPixels image;
    int channels = 0;
    unsigned char* pixels = stbi_load(path.c_str(), &image.width, &image.height, &channels, 4);
    if (!pixels)
        return RgbaPixels();
    image.rgba.assign(pixels, pixels + static_cast<std::size_t>(image.width) * image.height * 4);
    stbi_image_free(pixels);
    return image;
}

bool savePng(const RgbaPixels& image, const std::string& path)
{
    return stbi_write_png(path.c_str(), image.width, image.height, 4, image.rgba.data(), image.width * 4) != 0;
}

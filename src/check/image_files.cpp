#include "check/preview.h"

#include "stb/png_files.h"

RgbaPixels loadImage(const std::string& path)
{
    RgbaPixels image;
    unsigned char* pixels = loadPngRgba(path.c_str(), image.width, image.height);
    if (!pixels)
        return RgbaPixels();
    image.rgba.assign(pixels, pixels + static_cast<std::size_t>(image.width) * image.height * 4);
    freePngPixels(pixels);
    return image;
}

bool savePng(const RgbaPixels& image, const std::string& path)
{
    return writePng(path.c_str(), image.width, image.height, 4, image.rgba.data());
}

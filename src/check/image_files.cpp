#include "check/preview.h"

#include "stb/png_files.h"

RgbaPixels loadImage(const std::string& path)
{
    RgbaPixels image;
    image.rgba = readPngRgba(path, image.width, image.height);
    return image.rgba.empty() ? RgbaPixels() : image;
}

bool savePng(const RgbaPixels& image, const std::string& path)
{
    return writePng(path.c_str(), image.width, image.height, 4, image.rgba.data());
}

// Draws the program's icon by code: a dark rounded tile with an amber
// clock face showing three o'clock, in the strip's colours. Writes classic
// BMP-in-ICO files.
// Usage: make-icons OUT_DIR  (writes halvesta.ico at 32 px, for the
// executable's resource, and icon.ico at 16 and 32 px, for the
// notification area)
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

namespace {

struct Image {
    int size;
    std::vector<uint8_t> bgra; // top-down
};

float clamp01(float v)
{
    return v < 0.0f ? 0.0f : (v > 1.0f ? 1.0f : v);
}

// Coverage of a pixel centre by a shape edge at signed distance d (pixels).
float cover(float distance)
{
    return clamp01(0.5f - distance);
}

// Signed distance to an axis-aligned bar of half-width `half` between two
// points on the same row or column; square ends keep it crisp.
float distanceToBar(float px, float py, float ax, float ay, float bx, float by, float half)
{
    const float left = std::fmin(ax, bx) - half, right = std::fmax(ax, bx) + half;
    const float top = std::fmin(ay, by) - half, bottom = std::fmax(ay, by) + half;
    const float dx = std::fmax(left - px, px - right);
    const float dy = std::fmax(top - py, py - bottom);
    return std::sqrt(std::fmax(dx, 0.0f) * std::fmax(dx, 0.0f) + std::fmax(dy, 0.0f) * std::fmax(dy, 0.0f))
        + std::fmin(std::fmax(dx, dy), 0.0f);
}

void blend(float* rgba, const float colour[3], float alpha)
{
    for (int i = 0; i < 3; ++i)
        rgba[i] = rgba[i] * (1.0f - alpha) + colour[i] * alpha;
    rgba[3] = rgba[3] + (1.0f - rgba[3]) * alpha;
}

Image drawIcon(int size)
{
    const float s = static_cast<float>(size);
    const float tile[3] = {0.12f, 0.15f, 0.19f};
    const float amber[3] = {1.0f, 0.62f, 0.18f};
    const float white[3] = {0.96f, 0.96f, 0.94f};
    const float corner = s * 0.22f;
    const float cx = s / 2.0f, cy = s / 2.0f;
    const float radius = s * 0.34f;
    const float ring = s > 20.0f ? 2.2f : 1.5f;
    // Hands two pixels wide, on pixel boundaries and of whole-pixel
    // lengths, stay sharp even at 16 px.
    const float hand = 1.0f;
    const float minuteHand = std::round(radius * 0.72f);
    const float hourHand = std::round(radius * 0.5f);

    Image image{size, std::vector<uint8_t>(static_cast<std::size_t>(size) * size * 4)};
    for (int y = 0; y < size; ++y) {
        for (int x = 0; x < size; ++x) {
            const float px = static_cast<float>(x) + 0.5f, py = static_cast<float>(y) + 0.5f;
            float rgba[4] = {0, 0, 0, 0};

            // Rounded tile: distance to the inner rectangle, less the radius.
            const float qx = std::fabs(px - cx) - (s / 2.0f - corner);
            const float qy = std::fabs(py - cy) - (s / 2.0f - corner);
            const float outside =
                std::sqrt(std::fmax(qx, 0.0f) * std::fmax(qx, 0.0f) + std::fmax(qy, 0.0f) * std::fmax(qy, 0.0f))
                + std::fmin(std::fmax(qx, qy), 0.0f) - corner;
            blend(rgba, tile, cover(outside));

            const float fromCentre = std::sqrt((px - cx) * (px - cx) + (py - cy) * (py - cy));
            blend(rgba, amber, cover(std::fabs(fromCentre - radius) - ring / 2.0f));
            // Three o'clock: the minute hand straight up, the hour hand right.
            blend(rgba, white, cover(distanceToBar(px, py, cx, cy, cx, cy - minuteHand, hand)));
            blend(rgba, white, cover(distanceToBar(px, py, cx, cy, cx + hourHand, cy, hand)));

            uint8_t* out = &image.bgra[(static_cast<std::size_t>(y) * size + x) * 4];
            const float a = rgba[3];
            // Stored unpremultiplied, as icons are.
            for (int i = 0; i < 3; ++i) {
                const float c = a > 0.0f ? rgba[2 - i] / a : 0.0f;
                out[i] = static_cast<uint8_t>(std::lround(clamp01(c) * 255.0f));
            }
            out[3] = static_cast<uint8_t>(std::lround(a * 255.0f));
        }
    }
    return image;
}

void put16(std::vector<uint8_t>& out, unsigned v)
{
    out.push_back(static_cast<uint8_t>(v));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void put32(std::vector<uint8_t>& out, uint32_t v)
{
    put16(out, v & 0xFFFF);
    put16(out, v >> 16);
}

// One icon image: a 32-bit BITMAPINFOHEADER DIB of twice the height (the
// colour rows, then the AND mask), rows bottom-up.
std::vector<uint8_t> encodeDib(const Image& image)
{
    const int n = image.size;
    const int maskStride = ((n + 31) / 32) * 4;
    std::vector<uint8_t> out;
    put32(out, 40);
    put32(out, static_cast<uint32_t>(n));
    put32(out, static_cast<uint32_t>(n * 2));
    put16(out, 1);
    put16(out, 32);
    put32(out, 0);
    put32(out, static_cast<uint32_t>(n * n * 4 + maskStride * n));
    for (int i = 0; i < 4; ++i)
        put32(out, 0);
    for (int y = n - 1; y >= 0; --y)
        out.insert(out.end(), image.bgra.begin() + static_cast<long>(y) * n * 4,
                   image.bgra.begin() + static_cast<long>(y + 1) * n * 4);
    for (int y = n - 1; y >= 0; --y) {
        std::vector<uint8_t> row(static_cast<std::size_t>(maskStride), 0);
        for (int x = 0; x < n; ++x)
            if (image.bgra[(static_cast<std::size_t>(y) * n + x) * 4 + 3] == 0)
                row[static_cast<std::size_t>(x / 8)] |= static_cast<uint8_t>(0x80 >> (x % 8));
        out.insert(out.end(), row.begin(), row.end());
    }
    return out;
}

bool writeIco(const std::string& path, const std::vector<int>& sizes)
{
    std::vector<std::vector<uint8_t>> images;
    for (int size : sizes)
        images.push_back(encodeDib(drawIcon(size)));
    std::vector<uint8_t> out;
    put16(out, 0);
    put16(out, 1);
    put16(out, static_cast<unsigned>(sizes.size()));
    uint32_t offset = static_cast<uint32_t>(6 + 16 * sizes.size());
    for (std::size_t i = 0; i < sizes.size(); ++i) {
        out.push_back(static_cast<uint8_t>(sizes[i]));
        out.push_back(static_cast<uint8_t>(sizes[i]));
        out.push_back(0);
        out.push_back(0);
        put16(out, 1);
        put16(out, 32);
        put32(out, static_cast<uint32_t>(images[i].size()));
        put32(out, offset);
        offset += static_cast<uint32_t>(images[i].size());
    }
    for (const auto& image : images)
        out.insert(out.end(), image.begin(), image.end());

    std::FILE* file = std::fopen(path.c_str(), "wb");
    if (!file)
        return false;
    const bool written = std::fwrite(out.data(), 1, out.size(), file) == out.size();
    return std::fclose(file) == 0 && written;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "usage: make-icons OUT_DIR\n");
        return 2;
    }
    const std::string dir = argv[1];
    if (!writeIco(dir + "/halvesta.ico", {32}) || !writeIco(dir + "/icon.ico", {16, 32})) {
        std::fprintf(stderr, "make-icons: cannot write into %s\n", argv[1]);
        return 1;
    }
    return 0;
}

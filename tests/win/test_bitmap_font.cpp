// The glyph atlas as a texture, whether drawText emits anything (captured
// in feedback mode), and the glyphs it draws read back as pixels; where
// each quad and its texture window lie is the unit tier's.
#include "render/bitmap_font.h"
#include "win_support.h"

#include "stb/png_files.h"

#include <GL/gl.h>

#include <algorithm>
#include <cstdlib>
#include <string>
#include <utility>
#include <vector>

namespace {

const char kAtlasFile[] = "res/fira-code.png";

struct FeedbackVertex {
    float x, y; // pixel space, y downwards
    float u, v;
};

// One polygon per quad unless the GL splits quads into triangles; either
// way the vertices come back in submission order.
std::vector<std::vector<FeedbackVertex>> captureFeedback(const std::string& text, const BitmapFont& font, int x, int y,
                                                         float size, float advance)
{
    std::vector<GLfloat> buffer(1 << 16);
    glFeedbackBuffer(static_cast<GLsizei>(buffer.size()), GL_4D_COLOR_TEXTURE, buffer.data());
    glRenderMode(GL_FEEDBACK);
    drawText(text, font, x, y, size, advance);
    const GLint count = glRenderMode(GL_RENDER);

    std::vector<std::vector<FeedbackVertex>> polygons;
    // 4 position, 4 colour, 4 texture coordinates per vertex.
    const int stride = 12;
    for (GLint i = 0; i < count;) {
        const GLint token = static_cast<GLint>(buffer[i++]);
        if (token != GL_POLYGON_TOKEN) {
            ADD_FAILURE() << "unexpected feedback token " << token;
            break;
        }
        const int vertices = static_cast<int>(buffer[i++]);
        std::vector<FeedbackVertex> polygon;
        for (int k = 0; k < vertices; ++k, i += stride) {
            const GLfloat* v = &buffer[i];
            polygon.push_back(FeedbackVertex{v[0], 100.0f - v[1], v[8] / v[11], v[9] / v[11]});
        }
        polygons.push_back(polygon);
    }
    return polygons;
}

class FontTest : public DisplayTest {
protected:
    void TearDown() override
    {
        if (font.texture != 0 && wglGetCurrentContext())
            font.release();
        DisplayTest::TearDown();
    }

    void loadShippedAtlas()
    {
        atlasPath = sourcePath(kAtlasFile);
        ASSERT_EQ(font.load(atlasPath.c_str(), 24, 24, 19), 0) << atlasPath;
    }

    BitmapFont font;
    std::string atlasPath;
};

using FontLoad = FontTest;

TEST_F(FontLoad, ShippedAtlasBecomesANearestFilteredTextureOfItsOwnSize)
{
    loadShippedAtlas();
    int width = 0;
    int height = 0;
    unsigned char* pixels = loadPngRgba(atlasPath.c_str(), width, height);
    ASSERT_NE(pixels, nullptr);

    ASSERT_NE(font.texture, 0u);
    EXPECT_TRUE(glIsTexture(font.texture));
    EXPECT_EQ(font.textureWidth, width);
    EXPECT_EQ(font.textureHeight, height);
    EXPECT_EQ(font.cellWidth, 24);
    EXPECT_EQ(font.cellHeight, 24);
    EXPECT_EQ(font.columns, 19);
    EXPECT_STREQ(font.path, atlasPath.c_str());

    glBindTexture(GL_TEXTURE_2D, font.texture);
    GLint levelWidth = 0;
    GLint levelHeight = 0;
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_WIDTH, &levelWidth);
    glGetTexLevelParameteriv(GL_TEXTURE_2D, 0, GL_TEXTURE_HEIGHT, &levelHeight);
    EXPECT_EQ(levelWidth, width);
    EXPECT_EQ(levelHeight, height);
    GLint minFilter = 0;
    GLint magFilter = 0;
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MIN_FILTER, &minFilter);
    glGetTexParameteriv(GL_TEXTURE_2D, GL_TEXTURE_MAG_FILTER, &magFilter);
    EXPECT_EQ(minFilter, GL_NEAREST);
    EXPECT_EQ(magFilter, GL_NEAREST);

    // The texels are the file's pixels, first row on top, unflipped.
    std::vector<unsigned char> texels(static_cast<std::size_t>(width) * height * 4);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glGetTexImage(GL_TEXTURE_2D, 0, GL_RGBA, GL_UNSIGNED_BYTE, texels.data());
    EXPECT_TRUE(std::equal(texels.begin(), texels.end(), pixels));
    freePngPixels(pixels);
}

TEST_F(FontLoad, MissingFileGivesNoTextureAndDrawsNothing)
{
    const std::string missing = sourcePath("res/no-such-atlas.png");
    EXPECT_EQ(font.load(missing.c_str(), 24, 24, 19), BitmapFont::kUndecodable);
    EXPECT_EQ(font.texture, 0u);
    EXPECT_EQ(font.textureWidth, 0);
    EXPECT_EQ(font.textureHeight, 0);
    EXPECT_TRUE(captureFeedback("Time 12:00:00", font, 10, 10, 24, 12).empty());
}

TEST_F(FontLoad, CorruptFileGivesNoTextureAndDrawsNothing)
{
    ScratchDir dir;
    // A PNG signature with garbage after it, and text posing as an image.
    dir.write("truncated.png", std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\xff\xff", 20));
    dir.write("text.png", "not an image at all\n");
    for (const char* name : {"truncated.png", "text.png"}) {
        BitmapFont bad;
        const std::string path = dir.file(name);
        EXPECT_EQ(bad.load(path.c_str(), 24, 24, 19), BitmapFont::kUndecodable) << name;
        EXPECT_EQ(bad.texture, 0u) << name;
        EXPECT_TRUE(captureFeedback("A", bad, 10, 10, 24, 12).empty()) << name;
    }
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0) << "no texture was created for a bad file";
}

std::vector<std::pair<int, int>> refusedSizes;

bool refuseEveryUpload(int width, int height, const unsigned char*)
{
    refusedSizes.emplace_back(width, height);
    return false;
}

TEST_F(FontLoad, AtlasTheRendererRefusesInEveryFormIsNoAtlas)
{
    refusedSizes.clear();
    font.upload = refuseEveryUpload;
    atlasPath = sourcePath(kAtlasFile);
    EXPECT_EQ(font.load(atlasPath.c_str(), 24, 24, 19), BitmapFont::kRefused);
    // As it is, then padded to powers of two.
    EXPECT_EQ(refusedSizes, (std::vector<std::pair<int, int>>{{456, 120}, {512, 128}}));
    EXPECT_EQ(font.texture, 0u);
    EXPECT_EQ(font.textureWidth, 0);
    EXPECT_EQ(font.textureHeight, 0);
    GLint bound = -1;
    glGetIntegerv(GL_TEXTURE_BINDING_2D, &bound);
    EXPECT_EQ(bound, 0) << "the refused texture was not deleted";
    EXPECT_TRUE(captureFeedback("Time 12:00:00", font, 10, 10, 24, 12).empty());
}

TEST_F(FontLoad, ReleaseDeletesTheTexture)
{
    loadShippedAtlas();
    const GLuint name = font.texture;
    ASSERT_TRUE(glIsTexture(name));
    font.release();
    EXPECT_FALSE(glIsTexture(name));
    EXPECT_EQ(font.texture, 0u);
}

using GlyphQuads = FontTest;

TEST_F(GlyphQuads, EmptyTextEmitsNothing)
{
    loadShippedAtlas();
    EXPECT_TRUE(captureFeedback("", font, 10, 5, 16, 9).empty());
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GlyphQuads, GlyphPixelsAreTheAtlasCellBlendedOverBlack)
{
    loadShippedAtlas();
    int width = 0;
    int height = 0;
    unsigned char* atlas = loadPngRgba(atlasPath.c_str(), width, height);
    ASSERT_NE(atlas, nullptr);

    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 1, 1);
    // Size equal to the cell: one texel per pixel.
    drawText("A", font, 100, 20, 24, 12);
    const Frame frame = Frame::read();

    int wrong = 0;
    int lit = 0;
    for (int j = 0; j < 24; ++j) {
        for (int i = 0; i < 24; ++i) {
            const unsigned char* texel = &atlas[((24 + j) * width + 336 + i) * 4];
            const double alpha = texel[3] / 255.0;
            const Rgb want{static_cast<int>(texel[0] * alpha + 0.5), static_cast<int>(texel[1] * alpha + 0.5),
                           static_cast<int>(texel[2] * alpha + 0.5)};
            const Rgb got = frame.at(100 + i, 20 + j);
            lit += !(got == Rgb{0, 0, 0});
            const bool close = std::abs(got.red - want.red) <= 1 && std::abs(got.green - want.green) <= 1
                && std::abs(got.blue - want.blue) <= 1;
            if (!close && ++wrong <= 5)
                ADD_FAILURE() << "glyph pixel (" << i << ", " << j << ") is " << got << ", want " << want;
        }
    }
    EXPECT_EQ(wrong, 0);
    EXPECT_GT(lit, 20) << "the A cell draws something";
    // Nothing outside the quad.
    EXPECT_EQ(frame.at(99, 20), (Rgb{0, 0, 0}));
    EXPECT_EQ(frame.at(124, 20), (Rgb{0, 0, 0}));
    EXPECT_EQ(frame.at(100, 19), (Rgb{0, 0, 0}));
    EXPECT_EQ(frame.at(100, 44), (Rgb{0, 0, 0}));
    freePngPixels(atlas);
}

TEST_F(GlyphQuads, HalfTransparentTexelsBlendToDarkButNotBlack)
{
    ScratchDir dir;
    RgbaImage image(4, 4);
    for (int y = 0; y < 4; ++y)
        for (int x = 0; x < 4; ++x)
            image.set(x, y, Rgb{255, 255, 255}, 128);
    ASSERT_TRUE(writePng(dir.file("half.png"), image));
    const std::string path = dir.file("half.png");
    ASSERT_EQ(font.load(path.c_str(), 4, 4, 1), 0);

    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glColor3f(1, 1, 1);
    drawText(" ", font, 40, 40, 4, 4);
    const Rgb got = Frame::read().at(41, 41);
    EXPECT_NEAR(got.red, 128, 2);
    EXPECT_NEAR(got.green, 128, 2);
    EXPECT_NEAR(got.blue, 128, 2);
}

} // namespace

// The strip's GL context: its pixel format, and frames read back, which
// show the pixel-space projection (texturing and blending show in the
// item and glyph tests' pixels).
#include "win_support.h"

#include <GL/gl.h>

namespace {

using GlState = DisplayTest;

TEST_F(GlState, DeviceContextHasADoubleBufferedRgbaOpenGlFormat)
{
    ASSERT_NE(app->context.deviceContext, nullptr);
    EXPECT_EQ(app->context.window, app->window);
    EXPECT_EQ(WindowFromDC(app->context.deviceContext), app->window);

    const int index = GetPixelFormat(app->context.deviceContext);
    ASSERT_GT(index, 0);
    PIXELFORMATDESCRIPTOR format = {};
    ASSERT_GT(DescribePixelFormat(app->context.deviceContext, index, sizeof format, &format), 0);
    EXPECT_TRUE(format.dwFlags & PFD_DRAW_TO_WINDOW);
    EXPECT_TRUE(format.dwFlags & PFD_SUPPORT_OPENGL);
    EXPECT_TRUE(format.dwFlags & PFD_DOUBLEBUFFER);
    EXPECT_EQ(format.iPixelType, PFD_TYPE_RGBA);
    // 8 bits per colour channel at least; drivers differ in padding and alpha.
    EXPECT_GE(format.cRedBits, 8);
    EXPECT_GE(format.cGreenBits, 8);
    EXPECT_GE(format.cBlueBits, 8);
}

TEST_F(GlState, ContextIsCurrentOnTheWindowsDeviceContext)
{
    EXPECT_NE(app->context.glContext, nullptr);
    EXPECT_EQ(wglGetCurrentContext(), app->context.glContext);
    EXPECT_EQ(wglGetCurrentDC(), app->context.deviceContext);
}

TEST_F(GlState, QuadLandsExactlyOnItsPixelsCountedFromTheTopLeft)
{
    glClearColor(0, 0, 0, 0);
    glClear(GL_COLOR_BUFFER_BIT);
    glDisable(GL_TEXTURE_2D);
    glColor3f(1, 1, 1);
    glBegin(GL_QUADS);
    glVertex2f(10, 10);
    glVertex2f(20, 10);
    glVertex2f(20, 20);
    glVertex2f(10, 20);
    glEnd();
    glEnable(GL_TEXTURE_2D);

    const Frame frame = Frame::read();
    int wrong = 0;
    for (int y = 0; y < 100; ++y) {
        for (int x = 0; x < 600; ++x) {
            const bool inside = x >= 10 && x < 20 && y >= 10 && y < 20;
            const Rgb want = inside ? Rgb{255, 255, 255} : Rgb{0, 0, 0};
            if (!(frame.at(x, y) == want) && ++wrong <= 5)
                ADD_FAILURE() << "pixel (" << x << ", " << y << ") is " << frame.at(x, y) << ", want " << want;
        }
    }
    EXPECT_EQ(wrong, 0);
}

TEST_F(GlState, FrameWithoutItemsIsClearedToBlack)
{
    glClearColor(1, 1, 1, 1);
    glClear(GL_COLOR_BUFFER_BIT);
    app->renderFrame();

    const Frame frame = Frame::read();
    EXPECT_EQ(frame.litPixels(), 0);
    GLfloat clear[4] = {1, 1, 1, 1};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[3], 0.0f) << "cleared to transparent black";
}

} // namespace

// The strip's GL context: pixel format, the pixel-space projection and
// the fixed texturing and blending state, checked by reading frames back.
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
    EXPECT_GE(format.cDepthBits, 24);
    EXPECT_GE(format.cStencilBits, 8);
}

TEST_F(GlState, ContextIsCurrentOnTheWindowsDeviceContext)
{
    EXPECT_NE(app->context.glContext, nullptr);
    EXPECT_EQ(wglGetCurrentContext(), app->context.glContext);
    EXPECT_EQ(wglGetCurrentDC(), app->context.deviceContext);
}

TEST_F(GlState, ProjectionMapsPixelSpaceWithYDownwards)
{
    GLint viewport[4] = {};
    glGetIntegerv(GL_VIEWPORT, viewport);
    EXPECT_EQ(viewport[0], 0);
    EXPECT_EQ(viewport[1], 0);
    EXPECT_EQ(viewport[2], 600);
    EXPECT_EQ(viewport[3], 100);

    // Column-major ortho(0, 600, 100, 0, -1, 1).
    const float expected[16] = {2.0f / 600, 0, 0, 0, 0, -2.0f / 100, 0, 0, 0, 0, -1, 0, -1, 1, 0, 1};
    float projection[16] = {};
    glGetFloatv(GL_PROJECTION_MATRIX, projection);
    for (int i = 0; i < 16; ++i)
        EXPECT_NEAR(projection[i], expected[i], 1e-6f) << "element " << i;

    float modelView[16] = {};
    glGetFloatv(GL_MODELVIEW_MATRIX, modelView);
    for (int i = 0; i < 16; ++i)
        EXPECT_EQ(modelView[i], i % 5 == 0 ? 1.0f : 0.0f) << "element " << i;
    GLint mode = 0;
    glGetIntegerv(GL_MATRIX_MODE, &mode);
    EXPECT_EQ(mode, GL_MODELVIEW);
    EXPECT_EQ(glGetError(), static_cast<GLenum>(GL_NO_ERROR));
}

TEST_F(GlState, TexturingModulatesAndBlendingUsesSourceAlpha)
{
    EXPECT_TRUE(glIsEnabled(GL_TEXTURE_2D));
    GLint envMode = 0;
    glGetTexEnviv(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, &envMode);
    EXPECT_EQ(envMode, GL_MODULATE);

    EXPECT_TRUE(glIsEnabled(GL_BLEND));
    GLint source = 0;
    GLint destination = 0;
    glGetIntegerv(GL_BLEND_SRC, &source);
    glGetIntegerv(GL_BLEND_DST, &destination);
    EXPECT_EQ(source, GL_SRC_ALPHA);
    EXPECT_EQ(destination, GL_ONE_MINUS_SRC_ALPHA);
    EXPECT_FALSE(glIsEnabled(GL_DEPTH_TEST));
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
    EXPECT_EQ(app->renderFrame(), 0);

    const Frame frame = Frame::read();
    EXPECT_EQ(frame.litPixels(), 0);
    GLfloat clear[4] = {1, 1, 1, 1};
    glGetFloatv(GL_COLOR_CLEAR_VALUE, clear);
    EXPECT_EQ(clear[3], 0.0f) << "cleared to transparent black";
}

} // namespace

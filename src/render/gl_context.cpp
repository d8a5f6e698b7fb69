#include "render/gl_context.h"

#include "render/opengl.h"
#include "render/strip_geometry.h"

GlContext::~GlContext()
{
    // The rendering context dies with the process.
    if (deviceContext)
        ReleaseDC(window, deviceContext);
}

int GlContext::init(HWND targetWindow)
{
    window = targetWindow;
    deviceContext = GetDC(window);

    PIXELFORMATDESCRIPTOR format = {};
    format.nSize = sizeof(PIXELFORMATDESCRIPTOR);
    format.nVersion = 1;
    format.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    format.iPixelType = PFD_TYPE_RGBA;
    format.cColorBits = 32;
    format.cDepthBits = 24;
    format.cStencilBits = 8;

    const int index = deviceContext ? ChoosePixelFormat(deviceContext, &format) : 0;
    if (index == 0 || !SetPixelFormat(deviceContext, index, &format))
        return kNoPixelFormat;

    glContext = wglCreateContext(deviceContext);
    if (!glContext || !wglMakeCurrent(deviceContext, glContext))
        return kNoContext;
    return 0;
}

void GlContext::swapBuffers()
{
    SwapBuffers(deviceContext);
}

void setupProjection()
{
    glViewport(0, 0, kStripWidth, kStripHeight);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    gluOrtho2D(0.0, kStripWidth, kStripHeight, 0.0);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();

    glEnable(GL_TEXTURE_2D);
    glTexEnvi(GL_TEXTURE_ENV, GL_TEXTURE_ENV_MODE, GL_MODULATE);

    glEnable(GL_BLEND);
    glBlendFunc(GL_SRC_ALPHA, GL_ONE_MINUS_SRC_ALPHA);
}

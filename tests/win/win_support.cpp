#include "win_support.h"

#include "render/display_window.h"
#include "render/strip_geometry.h"

#include <GL/gl.h>

Frame Frame::read()
{
    Frame frame;
    frame.rgba_.assign(kStripWidth * kStripHeight * 4, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, kStripWidth, kStripHeight, GL_RGBA, GL_UNSIGNED_BYTE, frame.rgba_.data());
    return frame;
}

int Frame::litPixels() const
{
    int lit = 0;
    for (int y = 0; y < kStripHeight; ++y)
        for (int x = 0; x < kStripWidth; ++x)
            lit += !(at(x, y) == Rgb{0, 0, 0});
    return lit;
}

Rgb Frame::at(int x, int y) const
{
    // GL rows run bottom-up.
    const int row = kStripHeight - 1 - y;
    const unsigned char* p = &rgba_[(row * kStripWidth + x) * 4];
    return Rgb{p[0], p[1], p[2]};
}

void drainMessages()
{
    MSG message;
    while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
        if (message.message != WM_QUIT)
            DispatchMessageA(&message);
    }
}

void tearDownApp(std::unique_ptr<App>& app)
{
    if (!app)
        return;
    if (app->font.texture != 0 && wglGetCurrentContext())
        app->font.release();
    const HWND window = app->window;
    const HGLRC context = app->context.glContext;
    wglMakeCurrent(nullptr, nullptr);
    if (context)
        wglDeleteContext(context);
    app.reset(); // releases the device context
    if (window && IsWindow(window))
        DestroyWindow(window);
    UnregisterClassA(kDisplayClassName, GetModuleHandleA(nullptr));
    drainMessages();
}

void DisplayTest::SetUp()
{
    drainMessages();
    app = std::make_unique<App>();
    ASSERT_EQ(app->createWindow(), 0);
    ASSERT_NE(app->window, nullptr);
}

void DisplayTest::TearDown()
{
    tearDownApp(app);
}

WorkingDirectory::WorkingDirectory(const std::string& path)
{
    char current[MAX_PATH];
    GetCurrentDirectoryA(MAX_PATH, current);
    previous_ = current;
    EXPECT_TRUE(SetCurrentDirectoryA(path.c_str())) << path;
}

WorkingDirectory::~WorkingDirectory()
{
    SetCurrentDirectoryA(previous_.c_str());
}

std::string sourcePath(const std::string& relative)
{
    std::string path = std::string(HALVESTA_SOURCE_DIR) + "/" + relative;
    // A build tree on the Unix side of Wine: name the drive, or a working
    // directory on another drive would change what the path means.
    if (path[0] == '/')
        path.insert(0, "Z:");
    return path;
}

std::string readSourceFile(const std::string& relative)
{
    return readBytes(sourcePath(relative));
}

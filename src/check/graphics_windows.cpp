#include "check/machine_windows.h"

#include "render/atlas_geometry.h"
#include "render/bitmap_font.h"
#include "render/gl_context.h"
#include "render/opengl.h"
#include "render/strip_geometry.h"

namespace {

// Not the strip's class: nothing may take this window for a running copy.
const char kGraphicsClassName[] = "HalvestaCheckGraphics";

std::string glText(GLenum name)
{
    const GLubyte* text = glGetString(name);
    return text ? reinterpret_cast<const char*>(text) : "";
}

AtlasUpload uploadAtlas(const std::string& atlasPath)
{
    BitmapFont font;
    const int status = font.load(atlasPath.c_str(), kAtlasCellWidth, kAtlasCellHeight, kAtlasColumns);
    if (status == 0) {
        const AtlasUpload upload = font.padded ? AtlasUpload::Padded : AtlasUpload::AsItIs;
        font.release();
        return upload;
    }
    return status == BitmapFont::kRefused ? AtlasUpload::Refused : AtlasUpload::NotTried;
}

} // namespace

GraphicsFacts graphicsFacts(const std::string& atlasPath)
{
    GraphicsFacts facts;
    const HINSTANCE instance = GetModuleHandleA(nullptr);
    WNDCLASSA windowClass = {};
    windowClass.style = CS_OWNDC;
    windowClass.lpfnWndProc = DefWindowProcA;
    windowClass.hInstance = instance;
    windowClass.lpszClassName = kGraphicsClassName;
    RegisterClassA(&windowClass);
    // The strip's size and style, never shown.
    const HWND window = CreateWindowExA(WS_EX_TOOLWINDOW, kGraphicsClassName, "", WS_POPUP, 0, 0, kStripWidth,
                                        kStripHeight, nullptr, nullptr, instance, nullptr);
    if (!window)
        return facts;
    {
        GlContext context;
        const int status = context.init(window);
        facts.pixelFormat = status != GlContext::kNoPixelFormat;
        facts.context = status == 0;
        if (facts.context) {
            facts.vendor = glText(GL_VENDOR);
            facts.renderer = glText(GL_RENDERER);
            facts.version = glText(GL_VERSION);
            facts.upload = uploadAtlas(atlasPath);
        }
        if (context.glContext) {
            wglMakeCurrent(nullptr, nullptr);
            wglDeleteContext(context.glContext);
        }
    }
    DestroyWindow(window);
    return facts;
}

#pragma once

#include <windows.h>

// The display window's device context with an OpenGL rendering context
// made current on the calling thread.
class GlContext {
public:
    static constexpr int kNoPixelFormat = -1;
    static constexpr int kNoContext = -2;

    GlContext() = default;
    ~GlContext();
    GlContext(const GlContext&) = delete;
    GlContext& operator=(const GlContext&) = delete;

    // 0 with the context current; kNoPixelFormat or kNoContext when the
    // window's device context cannot be given one.
    int init(HWND targetWindow);
    void swapBuffers();

    HWND window = nullptr;
    HGLRC glContext = nullptr;
    HDC deviceContext = nullptr;
};

// Pixel-space projection (600 x 100, y downwards) and the fixed texturing
// and blending state every frame relies on.
void setupProjection();

#include "app/app.h"

#include "app/frame_timing.h"

#include "render/opengl.h"

App::~App()
{
    dateItem.reset();
    timeItem.reset();
    batteryItem.reset();
}

int App::run()
{
    running = true;
    MSG message = {};
    while (running) {
        while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
            if (message.message == WM_QUIT)
                running = false;
            TranslateMessage(&message);
            DispatchMessageA(&message);
        }
        // Above other topmost windows again, without taking the keyboard.
        SetWindowPos(window, HWND_TOPMOST, 0, 0, 0, 0, SWP_NOACTIVATE | SWP_NOMOVE | SWP_NOSIZE);

        FRAME_PART_BEGIN(Update);
        if (batteryItem)
            batteryItem->update();
        if (dateItem)
            dateItem->update();
        if (timeItem)
            timeItem->update();
        FRAME_PART_END(Update);

        FRAME_PART_BEGIN(Render);
        renderFrame();
        FRAME_PART_END(Render);

        FRAME_PART_BEGIN(Present);
        context.swapBuffers();
        FRAME_PART_END(Present);
        FRAME_PRESENTED(window);

        Sleep(16);
    }
    font.release();
    DestroyWindow(window);
    FRAME_TIMING_REPORT();
    return 0;
}

int App::renderFrame()
{
    glClearColor(0.0f, 0.0f, 0.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    if (batteryItem)
        batteryItem->render();
    if (dateItem)
        dateItem->render();
    if (timeItem)
        timeItem->render();
    return 0;
}

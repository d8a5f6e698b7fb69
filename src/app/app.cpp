#include "app/app.h"

#include <GL/gl.h>

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
        BringWindowToTop(window);

        if (batteryItem)
            batteryItem->update();
        if (dateItem)
            dateItem->update();
        if (timeItem)
            timeItem->update();

        renderFrame();
        context.swapBuffers();
        Sleep(16);
    }
    font.release();
    DestroyWindow(window);
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

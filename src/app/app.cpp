#include "app/app.h"

#include "app/frame_timing.h"

#include "config/line_layout.h"
#include "render/opengl.h"
#include "render/strip_geometry.h"

namespace {

const TextItem* itemOf(const App& app, ItemKind kind)
{
    switch (kind) {
    case ItemKind::Date:
        return app.dateItem.get();
    case ItemKind::Time:
        return app.timeItem.get();
    case ItemKind::Battery:
        break;
    }
    return app.batteryItem.get();
}

} // namespace

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
    glClearColor(kColorKey.red / 255.0f, kColorKey.green / 255.0f, kColorKey.blue / 255.0f, 0.0f);
    glClear(GL_COLOR_BUFFER_BIT);
    for (const ItemKind kind : kDrawOrder)
        if (const TextItem* item = itemOf(*this, kind))
            item->render();
    return 0;
}

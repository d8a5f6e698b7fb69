#include "app/app.h"

#include "app/frame_timing.h"
#include "app/session_notices.h"

#include "render/display_window.h"
#include "render/strip_geometry.h"

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

namespace {
// Long enough to cost nothing, short enough that the strip comes back
// without a visible delay.
constexpr DWORD kUnseenWaitMilliseconds = 250;
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
    {
        SessionNotices notices(window, registerSession);
        while (running) {
            while (PeekMessageA(&message, nullptr, 0, 0, PM_REMOVE)) {
                if (message.message == WM_QUIT)
                    running = false;
                TranslateMessage(&message);
                DispatchMessageA(&message);
            }
            notices.retryIfDue();
            // Above other topmost windows again, without taking the keyboard,
            // and back in the primary screen's corner after a display change.
            SetWindowPos(window, HWND_TOPMOST, 0, 0, kStripWidth, kStripHeight, SWP_NOACTIVATE);

            if (unseen()) {
                // Nothing drawn for nobody; the menu and Close still answer
                // at once.
                if (running)
                    MsgWaitForMultipleObjectsEx(0, nullptr, kUnseenWaitMilliseconds, QS_ALLINPUT, MWMO_INPUTAVAILABLE);
                FRAME_TURN_ENDED(window);
                continue;
            }

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
            FRAME_PRESENTED();
            FRAME_TURN_ENDED(window);

            Sleep(16);
        }
        font.release();
    } // the notices are unregistered just before the window goes
    DestroyWindow(window);
    FRAME_TIMING_REPORT();
    return 0;
}

bool App::unseen() const
{
    const SessionView& view = sessionView();
    return !IsWindowVisible(window) || view.locked || view.disconnected || view.displayOff;
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

#pragma once

#include "render/bitmap_font.h"
#include "render/gl_context.h"
#include "render/text_item.h"

#include <memory>

#include <wtsapi32.h>

// Owns everything the strip is made of; lives on main's stack.
class App {
public:
    App() = default;
    ~App();
    App(const App&) = delete;
    App& operator=(const App&) = delete;

    int createWindow(); // the display window and its GL context
    int loadSettings(); // reads config.ini and creates the enabled items
    int run();          // the frame loop, until a quit message arrives
    int renderFrame();  // clears and draws every item
    // Hidden, or nobody can see it: the loop then draws nothing.
    bool unseen() const;

    HWND window = nullptr;
    GlContext context;
    std::unique_ptr<TimeItem> timeItem;
    std::unique_ptr<DateItem> dateItem;
    std::unique_ptr<BatteryItem> batteryItem;
    BitmapFont font;
    bool running = false;
    // How the loop asks for session notices; a test can stand in for it.
    BOOL(WINAPI* registerSession)(HWND window, DWORD flags) = WTSRegisterSessionNotification;
};

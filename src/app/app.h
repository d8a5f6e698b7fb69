#pragma once

#include "render/bitmap_font.h"
#include "render/gl_context.h"
#include "render/text_item.h"

#include <memory>

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

    HWND window = nullptr;
    GlContext context;
    std::unique_ptr<TimeItem> timeItem;
    std::unique_ptr<DateItem> dateItem;
    std::unique_ptr<BatteryItem> batteryItem;
    BitmapFont font;
    bool running = false;
};

#pragma once

#include "config/color.h"

#include <string>

class BitmapFont;

// One line on the strip. The kinds below differ only in where their text
// comes from; the App calls each kind's update directly.
class TextItem {
public:
    void setFont(const BitmapFont* newFont) { font = newFont; }
    void setColor(const Color& newColor) { color = newColor; }
    void setPosition(int newX, int newY)
    {
        x = newX;
        y = newY;
    }
    void setFontSize(float size) { fontSize = size; }
    void setSpacing(float advance) { spacing = advance; }

    // A near-black shadow one pixel right and down, then the text in colour.
    int render() const;

    const BitmapFont* font = nullptr;
    int x = 0;
    int y = 0;
    float fontSize = 24.0f;
    float spacing = 12.0f;
    Color color{};
    std::string text;
};

class DateItem : public TextItem {
public:
    int update();
};

class TimeItem : public TextItem {
public:
    int update();
};

class BatteryItem : public TextItem {
public:
    // -1 when the power status cannot be read; the text then says so.
    int update();
};

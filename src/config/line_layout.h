#pragma once

#include "config/settings.h"

// Lines follow each other this many pixels apart, whatever the glyph size.
constexpr int kLinePitch = 22;

enum class ItemKind { Date, Time, Battery };

// The order the lines are drawn in, each over those before it.
constexpr ItemKind kDrawOrder[] = {ItemKind::Battery, ItemKind::Date, ItemKind::Time};

struct ItemPlacement {
    ItemKind kind;
    int x;
    int y;
};

// Enabled lines in the order date, time, battery, stacked downwards from
// marginY on a fixed pitch with no gap for a line that is off. Returns how
// many of the three slots of `placements` were filled.
int layoutItems(const Settings& settings, ItemPlacement (&placements)[3]);

#pragma once

#include "config/color.h"

// The strip's client area: pixel space, origin top-left, y downwards.
constexpr int kStripWidth = 600;
constexpr int kStripHeight = 100;

// The window's colour key: pixels of exactly this colour are holes in the
// strip, and every frame starts cleared to it.
constexpr Color kColorKey{0.0f, 0.0f, 0.0f};

// Each line's shadow lies this many pixels right of and below its glyphs,
// in this grey (per channel, 0 to 1): dark, but unlike kColorKey it
// survives the colour key.
constexpr int kShadowOffset = 1;
constexpr float kShadowGrey = 0.01f;

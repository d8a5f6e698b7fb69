#pragma once

// The strip's client area: pixel space, origin top-left, y downwards.
constexpr int kStripWidth = 600;
constexpr int kStripHeight = 100;

// Each line's shadow lies this many pixels right of and below its glyphs,
// in this grey (per channel, 0 to 1): dark, but unlike pure black it
// survives the colour key.
constexpr int kShadowOffset = 1;
constexpr float kShadowGrey = 0.01f;

#pragma once

// The glyph atlas the program ships and draws with: codes kFirstGlyphCode
// to kLastGlyphCode in cells of kAtlasCellWidth x kAtlasCellHeight pixels,
// kAtlasColumns to a row.
constexpr int kAtlasCellWidth = 24;
constexpr int kAtlasCellHeight = 24;
constexpr int kAtlasColumns = 19;
constexpr int kFirstGlyphCode = 32;
constexpr int kLastGlyphCode = 126;
constexpr int kAtlasRows = (kLastGlyphCode - kFirstGlyphCode + kAtlasColumns) / kAtlasColumns;
constexpr int kAtlasWidth = kAtlasColumns * kAtlasCellWidth;
constexpr int kAtlasHeight = kAtlasRows * kAtlasCellHeight;

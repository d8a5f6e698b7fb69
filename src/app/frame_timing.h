#pragma once

// Frame-work timing for the benchmark build only (HALVESTA_FRAME_TIMING).
// The shipped program compiles none of it.

enum class FramePart { Update, Render, Present, Count };

void frameTimingStartPart(FramePart part);
void frameTimingEndPart(FramePart part);
// After each present: notes the first frame's start-up time and ends the
// turn's record.
void frameTimingFramePresented();
// After every turn, drawn or not: with HALVESTA_BENCH_SECONDS set, posts
// WM_CLOSE to `window` once that many seconds have passed since the process
// started.
void frameTimingCheckDeadline(void* window);
// Writes the medians, start-up time, memory and CPU figures to the file
// named by HALVESTA_TIMING_FILE (default "frame-timing.txt").
void frameTimingReport();

#if HALVESTA_FRAME_TIMING
#define FRAME_PART_BEGIN(part) frameTimingStartPart(FramePart::part)
#define FRAME_PART_END(part) frameTimingEndPart(FramePart::part)
#define FRAME_PRESENTED() frameTimingFramePresented()
#define FRAME_TURN_ENDED(window) frameTimingCheckDeadline(window)
#define FRAME_TIMING_REPORT() frameTimingReport()
#else
#define FRAME_PART_BEGIN(part) ((void)0)
#define FRAME_PART_END(part) ((void)0)
#define FRAME_PRESENTED() ((void)0)
#define FRAME_TURN_ENDED(window) ((void)0)
#define FRAME_TIMING_REPORT() ((void)0)
#endif

// The big drawing of the benchmarks: ~180 MB of DXF with 400 A1 frames (block references with six
// attributes on "C-TK", 图号 and 图名 distinct per frame) and 1,000,000 lines, circles, polylines and
// texts spread over them. Made once per machine in the temporary folder.
#pragma once

#include <string>

namespace vx::bench {

constexpr int kBigDrawingFrames = 400;
constexpr int kBigDrawingEntities = 1000000;

// The folder the drawing lives in and the drawing's path (native).
std::string bigDrawingFolder();
std::string bigDrawingPath();
// Writes the drawing unless this process did already; the generator runs in a child process,
// so that its memory is not the caller's peak.
void ensureBigDrawing();

}  // namespace vx::bench

// The generated 178 MB drawing the database and command benchmarks share: 400 frames (block
// references with six attributes on "C-TK", drawn from three frame blocks of about 30
// entities each: borders, title-block lines, labels, attribute definitions) among 1,000,000
// lines, circles, polylines and texts on other layers.
#pragma once

#include <string>

namespace vxbench {

constexpr int kFrames = 400;
constexpr int kEntities = 1000000;

// The folder and file; the file is written once (in a child process, so that the generator's
// memory is not the caller's peak) and kept for later runs.
std::string bigDrawingDir();
std::string bigDrawingPath();
void ensureBigDrawing();

// Peak resident memory of this process so far (ru_maxrss), in MB.
double peakMB();

}  // namespace vxbench

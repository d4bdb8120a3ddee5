// File canvases' refusal reasons.
#include "plot/file_canvas.h"

namespace vx::plot {

std::string canvasError(const render::Canvas& canvas, const char* fallback) {
    const auto* file = dynamic_cast<const FileCanvas*>(&canvas);
    return file && !file->lastError().empty() ? file->lastError() : std::string(fallback);
}

}  // namespace vx::plot

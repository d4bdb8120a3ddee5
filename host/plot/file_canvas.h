// The base of the canvases that write a file: they keep the reason of their last refusal, so a
// caller can tell the user why a page could not begin or end.
#pragma once

#include <string>

#include "render/canvas.h"

namespace vx::plot {

class FileCanvas : public render::Canvas {
public:
    const std::string& lastError() const { return m_error; }

protected:
    bool fail(std::string reason) {
        m_error = std::move(reason);
        return false;
    }
    std::string m_error;
};

// The reason a canvas gave, or `fallback` for canvases that give none.
std::string canvasError(const render::Canvas& canvas, const char* fallback);

}  // namespace vx::plot

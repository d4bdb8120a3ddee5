// A host with windows shows plot previews itself: the page, as recorded, goes to its presenter
// once the preview's PNG is written (the transcript's "Plot preview: PATH" stays the same in
// every host). The presenter returns when the user has closed the preview.
#pragma once

#include <functional>
#include <string>

#include "plot/recording_canvas.h"

namespace vx::plot {

using PreviewPresenter = std::function<void(const RecordingCanvas& page, const std::string& pngPath)>;
// An empty presenter: previews are the PNG file only (the console).
void setPreviewPresenter(PreviewPresenter presenter);

}  // namespace vx::plot

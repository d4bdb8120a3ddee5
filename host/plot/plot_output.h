// Where a plotted document goes: a file of the device's format, a print job (the document as a
// PDF sent to a CUPS queue), or the console's preview (a PNG file whose path is printed).
// Nothing reaches its destination before finish(): a document that fails halfway leaves no
// partial file and sends no job.
#pragma once

#include <memory>
#include <string>

#include "plot/device_config.h"
#include "render/canvas.h"
#include "render/fonts.h"

namespace vx::plot {

class DocumentOutput {
public:
    virtual ~DocumentOutput() = default;
    virtual render::Canvas& canvas() = 0;
    // Raster outputs: the resolution pages are drawn at; 0 for vector outputs.
    virtual double rasterDpi() const = 0;
    // Puts the document in place; `done` says where it went, for the transcript (empty when
    // there is nothing to say). False with a reason.
    virtual bool finish(const std::wstring& medium, std::string& done, std::string& error) = 0;
};

// A file in the driver's format at the native `path`.
std::unique_ptr<DocumentOutput> makeFileOutput(DriverKind driver, const std::string& path, unsigned dpi,
                                               render::FontLibrary& fonts, std::string& error);
// A print job on `queue`; the medium of finish() goes with it.
std::unique_ptr<DocumentOutput> makePrinterOutput(const std::string& queue, const std::string& title, int copies,
                                                  render::FontLibrary& fonts, std::string& error);
// The preview of a document named `documentName` (a drawing's path).
std::unique_ptr<DocumentOutput> makePreviewOutput(const std::wstring& documentName, render::FontLibrary& fonts,
                                                  std::string& error);

// $XDG_CACHE_HOME/vxhost/preview (default ~/.cache/vxhost/preview): where previews are written.
std::string previewFolder();

}  // namespace vx::plot

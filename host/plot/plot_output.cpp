// File, printer and preview outputs over the file canvases.
#include "plot/plot_output.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cwchar>
#include <filesystem>

#include "plot/cups_printers.h"
#include "plot/output_format.h"
#include "plot/qt_canvases.h"
#include "text/encoding.h"
#include "win32/file_io.h"

namespace vx::plot {

namespace {

bool formatOf(DriverKind driver, OutputFormat& format) {
    switch (driver) {
    case DriverKind::Pdf: format = OutputFormat::Pdf; return true;
    case DriverKind::Svg: format = OutputFormat::Svg; return true;
    case DriverKind::Png: format = OutputFormat::Png; return true;
    case DriverKind::Plt: format = OutputFormat::Plt; return true;
    case DriverKind::Dwfx: format = OutputFormat::Dwfx; return true;
    case DriverKind::Printer: format = OutputFormat::Pdf; return true;
    case DriverKind::None: return false;
    }
    return false;
}

class FileOutput : public DocumentOutput {
public:
    FileOutput(std::unique_ptr<FileCanvas> canvas, double dpi) : m_canvas(std::move(canvas)), m_dpi(dpi) {}
    render::Canvas& canvas() override { return *m_canvas; }
    double rasterDpi() const override { return m_dpi; }
    bool finish(const std::wstring&, std::string&, std::string& error) override { return m_canvas->finish(error); }

private:
    std::unique_ptr<FileCanvas> m_canvas;
    double m_dpi;
};

// A private folder for one job's PDF, removed with everything in it.
class TemporaryFolder {
public:
    TemporaryFolder() {
        const char* tmp = std::getenv("TMPDIR");
        std::string pattern = std::string(tmp && *tmp ? tmp : "/tmp") + "/vxhost_print_XXXXXX";
        if (::mkdtemp(pattern.data())) m_path = pattern;
    }
    ~TemporaryFolder() {
        std::error_code ec;
        if (!m_path.empty()) std::filesystem::remove_all(m_path, ec);
    }
    TemporaryFolder(const TemporaryFolder&) = delete;
    TemporaryFolder& operator=(const TemporaryFolder&) = delete;
    const std::string& path() const { return m_path; }

private:
    std::string m_path;
};

class PrinterOutput : public DocumentOutput {
public:
    PrinterOutput(const std::string& queue, const std::string& title, int copies)
        : m_queue(queue), m_title(title), m_copies(copies) {}
    bool open(render::FontLibrary& fonts, std::string& error) {
        if (m_folder.path().empty()) {
            error = "no temporary folder for the print job";
            return false;
        }
        m_pdf = m_folder.path() + "/job.pdf";
        m_canvas = makeFileCanvas(OutputFormat::Pdf, m_pdf, fonts, error);
        return m_canvas != nullptr;
    }
    render::Canvas& canvas() override { return *m_canvas; }
    double rasterDpi() const override { return 0; }
    bool finish(const std::wstring& medium, std::string& done, std::string& error) override {
        if (!m_canvas->finish(error)) return false;
        PrintJob job;
        job.queue = m_queue;
        job.title = m_title;
        job.media = text::toUtf8(medium);
        job.copies = m_copies;
        if (!win32::readWholeFile(m_pdf, job.pdf)) {
            error = "the print job's document could not be read back";
            return false;
        }
        const int id = submitPdfJob(job, error);
        if (id <= 0) return false;
        done = "Sent to the printer " + m_queue + " as job " + std::to_string(id) + ".";
        return true;
    }

private:
    TemporaryFolder m_folder;
    std::string m_queue, m_title, m_pdf;
    int m_copies;
    std::unique_ptr<FileCanvas> m_canvas;
};

class PreviewOutput : public DocumentOutput {
public:
    PreviewOutput(std::unique_ptr<FileCanvas> canvas, std::string path) : m_canvas(std::move(canvas)), m_path(std::move(path)) {}
    render::Canvas& canvas() override { return *m_canvas; }
    double rasterDpi() const override { return kDefaultRasterDpi; }
    bool finish(const std::wstring&, std::string& done, std::string& error) override {
        if (!m_canvas->finish(error)) return false;
        done = "Plot preview: " + m_path;
        return true;
    }

private:
    std::unique_ptr<FileCanvas> m_canvas;
    std::string m_path;
};

// The drawing's name without folder and extension, made safe as a file name.
std::string previewName(const std::wstring& documentName) {
    std::wstring base = documentName;
    const size_t slash = base.find_last_of(L"/\\");
    if (slash != std::wstring::npos) base.erase(0, slash + 1);
    const size_t dot = base.find_last_of(L'.');
    if (dot != std::wstring::npos && dot > 0) base.erase(dot);
    for (wchar_t& c : base)
        if (c < 32 || std::wcschr(L"<>:\"|?*", c)) c = L'_';
    if (base.empty() || base == L"." || base == L"..") base = L"plot";
    return text::toUtf8(base) + "-preview.png";
}

}  // namespace

std::string previewFolder() {
    if (const char* cache = std::getenv("XDG_CACHE_HOME"); cache && cache[0] == '/') return std::string(cache) + "/vxhost/preview";
    const char* home = std::getenv("HOME");
    return std::string(home && *home ? home : "/tmp") + "/.cache/vxhost/preview";
}

std::unique_ptr<DocumentOutput> makeFileOutput(DriverKind driver, const std::string& path, unsigned dpi,
                                               render::FontLibrary& fonts, std::string& error) {
    OutputFormat format;
    if (!formatOf(driver, format)) {
        error = "the device writes no files";
        return nullptr;
    }
    auto canvas = makeFileCanvas(format, path, fonts, error);
    if (!canvas) return nullptr;
    return std::make_unique<FileOutput>(std::move(canvas), format == OutputFormat::Png ? dpi : 0);
}

std::unique_ptr<DocumentOutput> makePrinterOutput(const std::string& queue, const std::string& title, int copies,
                                                  render::FontLibrary& fonts, std::string& error) {
    auto out = std::make_unique<PrinterOutput>(queue, title, copies);
    if (!out->open(fonts, error)) return nullptr;
    return out;
}

std::unique_ptr<DocumentOutput> makePreviewOutput(const std::wstring& documentName, render::FontLibrary& fonts,
                                                  std::string& error) {
    const std::string folder = previewFolder();
    std::error_code ec;
    std::filesystem::create_directories(folder, ec);
    if (ec) {
        error = "cannot make the preview folder " + folder + ": " + ec.message();
        return nullptr;
    }
    const std::string path = folder + "/" + previewName(documentName);
    auto canvas = makeFileCanvas(OutputFormat::Png, path, fonts, error);
    if (!canvas) return nullptr;
    return std::make_unique<PreviewOutput>(std::move(canvas), path);
}

}  // namespace vx::plot

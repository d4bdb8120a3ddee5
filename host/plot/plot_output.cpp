// File, printer and preview outputs over the file canvases.
#include "plot/plot_output.h"

#include <stdlib.h>
#include <sys/stat.h>

#include <cstdlib>
#include <cwchar>
#include <filesystem>

#include "plot/cups_printers.h"
#include "plot/output_format.h"
#include "plot/preview_presenter.h"
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

PreviewPresenter& presenter() {
    static PreviewPresenter p;
    return p;
}

// Every call to both canvases: the PNG file and the page kept for the host's preview window.
class TeeCanvas : public render::Canvas {
public:
    TeeCanvas(render::Canvas& a, render::Canvas& b) : m_a(a), m_b(b) {}
    bool beginPage(const render::PageSpec& page) override { return m_a.beginPage(page) && m_b.beginPage(page); }
    void fillPolygons(const render::OutputPen& pen, const std::vector<render::Polygon>& p) override {
        m_a.fillPolygons(pen, p);
        m_b.fillPolygons(pen, p);
    }
    void strokePolylines(const render::OutputPen& pen, const std::vector<render::Polyline>& l) override {
        m_a.strokePolylines(pen, l);
        m_b.strokePolylines(pen, l);
    }
    void drawTexts(const render::OutputPen& pen, const std::vector<render::PlacedText>& t) override {
        m_a.drawTexts(pen, t);
        m_b.drawTexts(pen, t);
    }
    void drawDots(const render::OutputPen& pen, const std::vector<render::Vec2>& d) override {
        m_a.drawDots(pen, d);
        m_b.drawDots(pen, d);
    }
    bool endPage() override { return m_a.endPage() && m_b.endPage(); }
    bool finish(std::string& error) override { return m_a.finish(error) && m_b.finish(error); }

private:
    render::Canvas& m_a;
    render::Canvas& m_b;
};

class PreviewOutput : public DocumentOutput {
public:
    PreviewOutput(std::unique_ptr<FileCanvas> canvas, std::string path, PreviewPresenter show)
        : m_canvas(std::move(canvas)), m_path(std::move(path)), m_show(std::move(show)), m_tee(*m_canvas, m_page) {}
    render::Canvas& canvas() override { return m_show ? static_cast<render::Canvas&>(m_tee) : *m_canvas; }
    double rasterDpi() const override { return kDefaultRasterDpi; }
    bool finish(const std::wstring&, std::string& done, std::string& error) override {
        if (!m_canvas->finish(error)) return false;
        if (m_show) m_show(m_page, m_path);
        done = "Plot preview: " + m_path;
        return true;
    }

private:
    std::unique_ptr<FileCanvas> m_canvas;
    std::string m_path;
    PreviewPresenter m_show;
    RecordingCanvas m_page;
    TeeCanvas m_tee;
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
    return std::make_unique<PreviewOutput>(std::move(canvas), path, presenter());
}

void setPreviewPresenter(PreviewPresenter p) { presenter() = std::move(p); }

}  // namespace vx::plot

// The plot engines: one state machine (plot, document, page, graphics) for the publish and the
// preview engine; pages are drawn through the drawing's scene onto the document's output.
#include <sys/stat.h>

#include <atomic>
#include <cmath>
#include <memory>
#include <string>

#include "acplplotengine.h"
#include "acplplotinfo.h"
#include "acplplotprogress.h"
#include "acutads.h"
#include "plot/page.h"
#include "plot/plot_output.h"
#include "plot/plot_scene.h"
#include "plot/validated_plot.h"
#include "text/encoding.h"
#include "win32/paths.h"

namespace vx::plot {

namespace {

std::atomic<int> g_plotsBegun{0};

enum class State { Idle, Plot, Document, Page, Graphics };

PlotRotation rotationOf(int degrees) {
    switch (((degrees % 360) + 360) % 360) {
    case 90: return PlotRotation::Deg90;
    case 180: return PlotRotation::Deg180;
    case 270: return PlotRotation::Deg270;
    default: return PlotRotation::Deg0;
    }
}

// A file name for a document: the caller's path with backslashes taken as separators.
bool outputPath(const ACHAR* fileName, std::string& path, std::string& error) {
    if (!fileName || !*fileName) {
        error = "the device plots to a file and no file was named";
        return false;
    }
    path = win32::nativePath(fileName);
    const std::string folder = win32::parentFolder(path);
    struct stat st;
    if (::stat(folder.c_str(), &st) != 0 || !S_ISDIR(st.st_mode)) {
        error = "the folder " + folder + " does not exist";
        return false;
    }
    if (::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode)) {
        error = path + " is a folder";
        return false;
    }
    return true;
}

std::string notValidated(const AcPlPlotInfo& info) {
    const std::wstring& why = info.validationFailure();
    return why.empty() ? std::string("the plot information was not validated") : text::toUtf8(why);
}

std::string titleOf(const std::wstring& documentName) {
    std::wstring base = documentName;
    const size_t slash = base.find_last_of(L"/\\");
    if (slash != std::wstring::npos) base.erase(0, slash + 1);
    return text::toUtf8(base.empty() ? std::wstring(L"vxhost plot") : base);
}

class PlotEngine : public AcPlPlotEngine {
public:
    explicit PlotEngine(bool preview) : m_preview(preview) {}

    Acad::ErrorStatus beginPlot(AcPlPlotProgress* progress, void*) override {
        if (m_state != State::Idle) return Acad::eNotApplicable;
        m_progress = progress;
        m_plotError = Acad::eOk;
        m_state = State::Plot;
        ++g_plotsBegun;
        return Acad::eOk;
    }

    Acad::ErrorStatus endPlot(void*) override {
        if (m_state != State::Plot) return Acad::eNotApplicable;
        m_state = State::Idle;
        m_progress = nullptr;
        --g_plotsBegun;
        const Acad::ErrorStatus result = m_plotError;
        m_plotError = Acad::eOk;
        return result;
    }

    Acad::ErrorStatus beginDocument(AcPlPlotInfo& info, const ACHAR* documentName, void*, long copies, bool toFile,
                                    const ACHAR* fileName) override {
        if (m_state != State::Plot) return Acad::eNotApplicable;
        const ValidatedPlot* plot = info.validatedPlot();
        if (!plot) return fail(Acad::eInvalidPlotInfo, notValidated(info));
        m_documentName = documentName ? documentName : L"";
        std::string error;
        const Device& device = *plot->device;
        if (m_preview) {
            m_output = makePreviewOutput(m_documentName, fontLibrary(), error);
        } else if (device.config.driver == DriverKind::Printer && !toFile) {
            m_output = makePrinterOutput(device.config.printerQueue, titleOf(m_documentName),
                                         copies > 0 ? static_cast<int>(copies) : 1, fontLibrary(), error);
        } else {
            if (!toFile && device.config.plotToFile == 2)
                return fail(Acad::eInvalidInput, text::toUtf8(device.name) + " plots to files only; no file was asked for");
            std::string path;
            if (!outputPath(fileName, path, error)) return fail(Acad::eFileNotFound, error);
            m_output = makeFileOutput(device.config.driver, path, device.config.resolution, fontLibrary(), error);
        }
        if (!m_output) return fail(Acad::eFileAccessErr, error);
        m_device = plot->device;
        m_pages = 0;
        m_sheetCancelled = false;
        m_documentMedium.clear();
        m_state = State::Document;
        return Acad::eOk;
    }

    Acad::ErrorStatus endDocument(void*) override {
        if (m_state != State::Document) return Acad::eNotApplicable;
        m_state = State::Plot;
        std::unique_ptr<DocumentOutput> output = std::move(m_output);
        // A cancelled sheet is dropped with its document: no file, no job.
        if (m_sheetCancelled) return cancelled();
        if (m_pages == 0) return fail(Acad::eNotApplicable, "no page of the document was plotted; nothing was written");
        std::string done, error;
        if (!output->finish(m_documentMedium, done, error)) return fail(Acad::eFileAccessErr, error);
        if (!done.empty()) acutPrintf(L"\n%s", text::fromUtf8(done).c_str());
        return Acad::eOk;
    }

    Acad::ErrorStatus beginPage(AcPlPlotPageInfo& pageInfo, AcPlPlotInfo& info, bool, void*) override {
        if (m_state != State::Document) return Acad::eNotApplicable;
        const ValidatedPlot* plot = info.validatedPlot();
        if (!plot) return fail(Acad::eInvalidPlotInfo, notValidated(info));
        if (plot->device != m_device) return fail(Acad::eInvalidInput, "a page of another device than its document");
        m_page = std::make_unique<ValidatedPlot>(*plot);
        m_pageInfo = &pageInfo;
        m_drawn = false;
        m_state = State::Page;
        return Acad::eOk;
    }

    Acad::ErrorStatus endPage(void*) override {
        if (m_state != State::Page) return Acad::eNotApplicable;
        m_state = State::Document;
        m_page.reset();
        m_pageInfo = nullptr;
        if (!m_drawn) return fail(Acad::eNotApplicable, "a page was ended without its graphics");
        return Acad::eOk;
    }

    Acad::ErrorStatus beginGenerateGraphics(void*) override {
        if (m_state != State::Page || m_drawn) return Acad::eNotApplicable;
        // A cancelled job draws no further sheet; the sheet under way when it was cancelled
        // is finished (stopping after the current sheet leaves no half-made file).
        if (m_progress && (m_progress->isPlotCancelled() || m_progress->isSheetCancelled())) {
            m_sheetCancelled = true;
            return cancelled();
        }
        std::string error;
        const Acad::ErrorStatus es = drawPage(error);
        if (es != Acad::eOk) return fail(es, error);
        // The heartbeats while drawing let the user cancel this very sheet.
        if (m_progress && m_progress->isSheetCancelled()) m_sheetCancelled = true;
        m_drawn = true;
        ++m_pages;
        if (m_documentMedium.empty()) m_documentMedium = m_page->medium.canonical;
        m_state = State::Graphics;
        return Acad::eOk;
    }

    Acad::ErrorStatus endGenerateGraphics(void*) override {
        if (m_state != State::Graphics) return Acad::eNotApplicable;
        m_state = State::Page;
        return Acad::eOk;
    }

    bool isBackgroundPackaging() const override { return false; }

    void destroy() override {
        if (m_state != State::Idle) --g_plotsBegun;
        delete this;
    }

private:
    ~PlotEngine() override = default;

    static render::FontLibrary& fontLibrary() { return render::fontLibrary(); }

    // Records the plot's first failure and says why on the command line; what follows from it
    // (a page ended without graphics ...) is not repeated.
    Acad::ErrorStatus fail(Acad::ErrorStatus es, const std::string& why) {
        if (m_plotError != Acad::eOk) return es;
        m_plotError = es;
        acutPrintf(L"\n** Plot: %s", text::fromUtf8(why).c_str());
        return es;
    }

    // The user stopped the plot: no "** Plot:" line (the caller says what was cancelled), and
    // the plot ends with eUserBreak.
    Acad::ErrorStatus cancelled() {
        if (m_plotError == Acad::eOk) m_plotError = Acad::eUserBreak;
        return Acad::eUserBreak;
    }

    render::Scene* sceneFor(AcDbDatabase& db) {
        if (!m_scene || m_sceneDb != &db) {
            m_scene = makePlotScene(db);
            m_sceneDb = &db;
        }
        return m_scene.get();
    }

    Acad::ErrorStatus drawPage(std::string& error) {
        const ValidatedPlot& p = *m_page;
        if (!p.database) {
            error = "the layout belongs to no drawing";
            return Acad::eInvalidPlotInfo;
        }
        render::Scene* scene = sceneFor(*p.database);
        if (!scene) {
            error = "the drawing could not be prepared for plotting";
            return Acad::eInvalidPlotInfo;
        }
        if (m_progress) m_progress->heartbeat();
        Placement placement;
        placement.window = p.area == PlotArea::Extents ? scene->extents(p.space) : p.window;
        if (placement.window.empty()) {
            error = "there is nothing to plot in " + text::toUtf8(p.layoutName);
            return Acad::eInvalidPlotArea;
        }
        placement.paper.widthMm = p.medium.widthMm;
        placement.paper.heightMm = p.medium.heightMm;
        placement.paper.printableMm = p.medium.printableMm;
        placement.scaleToFit = p.scaleToFit;
        placement.mmPerUnit = p.mmPerUnit;
        placement.rotation = rotationOf(p.rotationDegrees);
        placement.centred = p.centred;
        placement.originMm = p.originMm;
        PageSetup setup;
        setup.placement = placement;
        setup.styleTable = p.styleTable.get();
        setup.lineweightScale = p.lineweightScale;
        setup.rasterDpi = m_output->rasterDpi();
        setup.title = text::fromUtf8(titleOf(m_documentName));
        render::DrawStats stats;
        const AcDbObjectId space = p.space;
        const PrimitiveSource source = [&](render::PrimitiveSink& sink, const render::Box2& window, double tolerance) {
            render::DrawOptions options;
            options.tolerance = tolerance;
            // The chord tolerance is under what the device shows (0.05 mm on paper, half a
            // raster pixel), so what is smaller than it may stand as a dot.
            options.pixel = tolerance;
            options.view = window;
            scene->draw(space, window, options, sink, stats);
        };
        if (!plotPage(setup, source, m_output->canvas(), error)) return Acad::eInvalidPlotArea;
        if (m_pageInfo) m_pageInfo->setEntityCount(static_cast<long>(stats.entities));
        if (stats.skipped > 0)
            acutPrintf(L"\n%llu damaged object(s) were left out of the plot.", static_cast<unsigned long long>(stats.skipped));
        if (m_progress) m_progress->heartbeat();
        return Acad::eOk;
    }

    bool m_preview;
    State m_state = State::Idle;
    AcPlPlotProgress* m_progress = nullptr;
    Acad::ErrorStatus m_plotError = Acad::eOk;

    std::wstring m_documentName;
    std::shared_ptr<const Device> m_device;
    std::unique_ptr<DocumentOutput> m_output;
    std::wstring m_documentMedium;
    int m_pages = 0;
    bool m_sheetCancelled = false;  // the document's sheet was cancelled: it writes nothing

    std::unique_ptr<ValidatedPlot> m_page;
    AcPlPlotPageInfo* m_pageInfo = nullptr;
    bool m_drawn = false;

    AcDbDatabase* m_sceneDb = nullptr;
    std::unique_ptr<render::Scene> m_scene;
};

}  // namespace

}  // namespace vx::plot

Acad::ErrorStatus AcPlPlotFactory::createPreviewEngine(AcPlPlotEngine*& engine, long previewFlags) {
    engine = nullptr;
    if (!(previewFlags & kShowPlot)) return Acad::eInvalidInput;
    engine = new vx::plot::PlotEngine(true);
    return Acad::eOk;
}

Acad::ErrorStatus AcPlPlotFactory::createPublishEngine(AcPlPlotEngine*& engine) {
    engine = new vx::plot::PlotEngine(false);
    return Acad::eOk;
}

AcPlPlotFactory::ProcessPlotState AcPlPlotFactory::processPlotState() {
    return vx::plot::g_plotsBegun > 0 ? kForegroundPlotting : kNotPlotting;
}

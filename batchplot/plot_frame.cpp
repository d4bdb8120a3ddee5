#include "batchplot/plot_frame.h"

#include <cmath>

#include "acdocman.h"
#include "aced.h"
#include "dbapserv.h"

namespace vorlix {
namespace {

constexpr int kWorld = 0;
constexpr int kDisplay = 2;

void toDisplay(const AcGePoint3d& p, double& x, double& y) {
    resbuf from{}, to{};
    from.restype = RTSHORT;
    from.resval.rint = kWorld;
    to.restype = RTSHORT;
    to.resval.rint = kDisplay;
    ads_point in = {p.x, p.y, p.z}, out = {p.x, p.y, p.z};
    acedTrans(in, &from, &to, 0, out);
    x = out[0];
    y = out[1];
}

const ACHAR* documentName() {
    AcApDocManager* manager = acDocManagerPtr();
    AcApDocument* doc = manager ? manager->curDocument() : nullptr;
    return doc ? doc->fileName() : L"";
}

// Ends what a frame that stopped early left begun. The engine refuses calls out of order
// without harm, so each call is made whether or not its stage was reached.
void endStoppedFrame(AcPlPlotEngine& engine) {
    engine.endDocument();
    engine.endPlot();
}

// A frame that did not get through: cancelled by the user, or stopped.
FrameResult notDone(const AcPlPlotProgressDialog& p) {
    return p.isSheetCancelled() || p.isPlotCancelled() ? FrameResult::Cancelled : FrameResult::Stopped;
}

}  // namespace

bool FrameWindow::landscape() const { return std::fabs(ymax - ymin) < std::fabs(xmax - xmin); }

bool frameWindow(AcDbObjectId frame, FrameWindow& window) {
    AcDbExtents extents;
    {
        AcDbObjectPointer<AcDbEntity> entity(frame, AcDb::kForRead);
        if (entity.openStatus() != Acad::eOk) return false;
        if (entity->getGeomExtents(extents) != Acad::eOk || extents.isEmpty()) return false;
    }
    toDisplay(extents.maxPoint(), window.xmax, window.ymax);
    toDisplay(extents.minPoint(), window.xmin, window.ymin);
    return true;
}

AcDbPlotSettings::PlotRotation frameRotation(const FrameWindow& window, double paperWidth, double paperHeight) {
    const bool paperLandscape = paperHeight < paperWidth;
    return paperLandscape != window.landscape() ? AcDbPlotSettings::k90degrees : AcDbPlotSettings::k0degrees;
}

FrameResult plotFrame(AcPlPlotEngine& engine, const PlotJob& job, const std::wstring& outputPath,
                      const std::wstring& canonicalMedia, const FrameWindow& window, bool preview) {
    AcDbPlotSettingsValidator* v = acdbHostApplicationServices()->plotSettingsValidator();
    AcDbPlotSettings* s = job.settings;
    AcPlPlotProgressDialog* p = job.progress;
    v->setPlotWindowArea(s, window.xmin, window.ymin, window.xmax, window.ymax);
    v->setCanonicalMediaName(s, canonicalMedia.c_str());
    double width = 0, height = 0;
    if (s->getPlotPaperSize(width, height) != Acad::eOk) width = height = 0;
    v->setPlotOrigin(s, window.xmin, window.ymin);
    v->setPlotType(s, AcDbPlotSettings::kWindow);
    v->setStdScaleType(s, AcDbPlotSettings::kScaleToFit);
    v->setPlotRotation(s, frameRotation(window, width, height));
    v->setUseStandardScale(s, true);
    v->setPlotCentered(s, true);

    p->onBeginPlot();
    p->setIsVisible(true);
    engine.beginPlot(p);
    AcPlPlotPageInfo pageInfo;
    AcPlPlotInfo plotInfo;
    plotInfo.setLayout(job.layoutId);
    plotInfo.setOverrideSettings(s);
    AcPlPlotInfoValidator validator;
    validator.setMediaMatchingPolicy(AcPlPlotInfoValidator::kMatchEnabled);
    validator.validate(plotInfo);
    const bool toFile = job.plotToFile && !preview;
    engine.beginDocument(plotInfo, documentName(), nullptr, 1, toFile, toFile ? outputPath.c_str() : nullptr);
    if (!p->onBeginSheet()) {
        p->setIsVisible(false);
        endStoppedFrame(engine);
        return notDone(*p);
    }
    p->setSheetProgressRange(0, 100);
    p->setSheetProgressPos(0);
    if (engine.beginPage(pageInfo, plotInfo, true) != Acad::eOk) {
        p->setIsVisible(false);
        endStoppedFrame(engine);
        return notDone(*p);
    }
    if (engine.beginGenerateGraphics() != Acad::eOk) {
        engine.endPage();
        p->setIsVisible(false);
        endStoppedFrame(engine);
        return notDone(*p);
    }
    engine.endGenerateGraphics();
    engine.endPage();
    p->setSheetProgressPos(100);
    p->onEndSheet();
    p->setPlotProgressPos(100);
    engine.endDocument();
    const Acad::ErrorStatus ended = engine.endPlot();
    p->setIsVisible(false);
    if (ended == Acad::eOk) return FrameResult::Plotted;
    // The engine drops a sheet the user cancelled and ends its plot with a user break.
    return ended == Acad::eUserBreak && notDone(*p) == FrameResult::Cancelled ? FrameResult::Cancelled
                                                                               : FrameResult::EndFailed;
}

}  // namespace vorlix

// Plot engines: a publish engine plots to the device (files, printers), a preview engine shows
// the page (the console host writes it as a PNG file and prints its path). One engine plots any
// number of documents, one after the other, each with its pages, in this order:
//
//   beginPlot
//     beginDocument
//       beginPage  beginGenerateGraphics  endGenerateGraphics  endPage      (per page)
//     endDocument
//   endPlot
//
// A call out of this order fails with eNotApplicable and changes nothing, so a caller whose page
// failed can end what it began (endPage, endDocument, endPlot) and go on. A failed begin leaves
// the engine where it was. A document's output (the file, the print job) is made at
// endDocument; endPlot reports an error when anything of the plot failed, so that a caller who
// only looks at endPlot never takes a failed plot for a good one.
#pragma once

#include "acadstrc.h"
#include "actext.h"

class AcPlPlotInfo;
class AcPlPlotPageInfo;
class AcPlPlotProgress;

class AcPlPlotEngine {
public:
    virtual Acad::ErrorStatus beginPlot(AcPlPlotProgress* progress, void* params = nullptr) = 0;
    virtual Acad::ErrorStatus endPlot(void* params = nullptr) = 0;
    // The plot info must be validated (AcPlPlotInfoValidator). Devices that must plot to a file
    // need `plotToFile` and `fileName` (a path; backslashes are taken as separators); a preview
    // engine ignores both. `copies` goes to printers.
    virtual Acad::ErrorStatus beginDocument(AcPlPlotInfo& plotInfo, const ACHAR* documentName, void* params = nullptr,
                                            long copies = 1, bool plotToFile = false,
                                            const ACHAR* fileName = nullptr) = 0;
    virtual Acad::ErrorStatus endDocument(void* params = nullptr) = 0;
    // The plot info must be the document's device (a document has one device).
    virtual Acad::ErrorStatus beginPage(AcPlPlotPageInfo& pageInfo, AcPlPlotInfo& plotInfo, bool lastPage,
                                        void* params = nullptr) = 0;
    virtual Acad::ErrorStatus endPage(void* params = nullptr) = 0;
    // Draws the page: the layout's space through the window onto the medium.
    virtual Acad::ErrorStatus beginGenerateGraphics(void* params = nullptr) = 0;
    virtual Acad::ErrorStatus endGenerateGraphics(void* params = nullptr) = 0;
    virtual bool isBackgroundPackaging() const = 0;
    // Ends whatever is still begun (without output) and frees the engine.
    virtual void destroy() = 0;

protected:
    virtual ~AcPlPlotEngine() = default;
};

class AcPlPlotFactory {
public:
    enum PreviewEngineFlags { kShowPlot = 0x0001, kShowNextSheet = 0x0002, kShowPreviousSheet = 0x0004 };
    enum ProcessPlotState { kNotPlotting = 0, kForegroundPlotting, kBackgroundPlotting };

    // eInvalidInput without kShowPlot.
    static Acad::ErrorStatus createPreviewEngine(AcPlPlotEngine*& engine, long previewFlags = kShowPlot);
    static Acad::ErrorStatus createPublishEngine(AcPlPlotEngine*& engine);
    static ProcessPlotState processPlotState();
};

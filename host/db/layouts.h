// Paper-space layouts of a drawing as a CAD host keeps them: a block record *Paper_SpaceN with
// BLOCK/ENDBLK and a main viewport, a LAYOUT object in ACAD_LAYOUT with its tab order and page
// set-up, the LAYOUT class entry; which layout is current ($TILEMODE, and the current paper
// layout's block record always named *Paper_Space) and the next default layout name.
#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "db/store.h"

namespace vx::db {

// A page set-up: the device and paper a layout plots on.
struct PlotConfiguration {
    std::wstring device;  // plot configuration name, "none_device" for none
    std::wstring media;   // canonical media name
    double paperWidth = 0, paperHeight = 0;                  // millimetres
    double marginLeft = 0, marginBottom = 0, marginRight = 0, marginTop = 0;  // unprintable, mm
};

// What a new layout is given: no device, ISO A3 landscape, as the host's empty drawing's layout.
const PlotConfiguration& defaultPlotConfiguration();
// The page set-up, plotted as the layout at 1:1 in millimetres, and limits matching the paper.
// The layout must be open for write (or new).
Acad::ErrorStatus applyPlotConfiguration(AcDbLayout* layout, const PlotConfiguration& config);

// The layouts of ACAD_LAYOUT in tab order ("Model" first), erased ones left out.
std::vector<AcDbLayout*> layouts(const Store& st);
// Names compare without regard to case.
AcDbLayout* findLayout(const Store& st, std::wstring_view name);
AcDbLayout* layoutOfBlock(const Store& st, const AcDbBlockTableRecord* block);
// The model layout while $TILEMODE is 1, else the layout of *Paper_Space.
AcDbLayout* currentLayout(const Store& st);

// `prefix` followed by the number after the largest of the layouts named prefix + number
// ("布局1", "布局2" ...), never the name of an existing layout.
std::wstring nextLayoutName(const Store& st, std::wstring_view prefix);

// A new paper-space layout of that name, last in tab order, with the default page set-up; the
// current layout stays current. Refused: eInvalidDwgVersion (R12 has one paper space only),
// eInvalidInput (no valid symbol name, or "Model"), eDuplicateKey, eNullObjectId (no ACAD_LAYOUT
// dictionary), or the status of opening that dictionary for write. Nothing changes when refused.
Acad::ErrorStatus createLayout(Store& st, const std::wstring& name, AcDbLayout*& layout,
                               AcDbBlockTableRecord*& block);

// The model layout sets $TILEMODE 1. A paper-space layout sets it 0 and its block record takes
// the name *Paper_Space (swapping names with the one that had it), so that its entities are
// written in ENTITIES as the active paper space. eWrongDatabase for a layout of another store.
Acad::ErrorStatus setCurrentLayout(Store& st, AcDbLayout* layout);

}  // namespace vx::db

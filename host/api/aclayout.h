// Layout managers. The database side (AcDbLayoutManager) creates layouts and knows which one is
// current in a drawing: "Model" while TILEMODE is 1, else the paper-space layout whose block
// record is *Paper_Space. The editor's manager (AcApLayoutManager) adds what needs the
// application: default names, the default page set-up and the layout tabs.
#pragma once

#include "acadstrc.h"
#include "actext.h"
#include "dbid.h"

class AcDbDatabase;

// A null database means the working database. Layout names compare without regard to case.
class AcDbLayoutManager {
public:
    virtual ~AcDbLayoutManager() = default;
    // A new paper-space layout, last in tab order, with its block record (*Paper_SpaceN with
    // BLOCK, ENDBLK and a main viewport) and the default page set-up; the current layout stays
    // current. eInvalidDwgVersion for an R12 drawing (one paper space only), eInvalidInput for a
    // name a layout cannot have, eDuplicateKey when the drawing has a layout of that name.
    virtual Acad::ErrorStatus createLayout(const ACHAR* newLayoutName, AcDbObjectId& layoutId,
                                           AcDbObjectId& blockTableRecId, AcDbDatabase* db = nullptr);
    // eKeyNotFound when the drawing has no layout of that name.
    virtual Acad::ErrorStatus setCurrentLayout(const ACHAR* name, AcDbDatabase* db = nullptr);
    virtual Acad::ErrorStatus setCurrentLayoutId(AcDbObjectId layoutId);
    // With allowModel false the model layout gives eKeyNotFound.
    virtual Acad::ErrorStatus getActiveLayoutName(AcString& name, bool allowModel, const AcDbDatabase* db = nullptr);
    // The block record of the current layout: model space for "Model".
    virtual AcDbObjectId getActiveLayoutBTRId(const AcDbDatabase* db = nullptr);
    virtual AcDbObjectId findLayoutNamed(const ACHAR* name, const AcDbDatabase* db = nullptr);
    virtual bool layoutExists(const ACHAR* name, const AcDbDatabase* db = nullptr);
    // Layouts of the drawing, "Model" included.
    virtual int countLayouts(const AcDbDatabase* db = nullptr);
};

class AcApLayoutManager : public AcDbLayoutManager {
public:
    // The current layout's name in the working drawing; with allowModel false the model layout
    // gives null. Valid until the next call.
    virtual const ACHAR* findActiveLayout(bool allowModel) = 0;
    // The name the host gives a new layout: "布局" and the number after the largest of the
    // layouts so named, never an existing name.
    virtual Acad::ErrorStatus getNextNewLayoutName(AcString& name, AcDbDatabase* db = nullptr) = 0;
    // Gives the layout of that block record the host's default page set-up.
    virtual Acad::ErrorStatus setDefaultPlotConfig(AcDbObjectId blockTableRecId) = 0;
    // Tabs are drawn by the graphical host; the console has nothing to refresh.
    virtual void updateLayoutTabs() = 0;
};

// The editor's layout manager (what the host services' layoutManager() hands out).
AcApLayoutManager* acedLayoutManager();

// The layout manager of the editor: which layout (the "Model" tab or a paper-space layout) is
// current in a drawing. Creating and deleting layouts belongs to the drawing database.
#pragma once

#include "acadstrc.h"
#include "actext.h"
#include "dbid.h"

class AcDbDatabase;

class AcApLayoutManager {
public:
    virtual ~AcApLayoutManager() = default;
    // The current layout's name in the current drawing; with allowModel false the model tab
    // gives null.
    virtual const ACHAR* findActiveLayout(bool allowModel) = 0;
    virtual Acad::ErrorStatus getActiveLayoutName(AcString& name, bool allowModel,
                                                  const AcDbDatabase* db = nullptr) = 0;
    // eKeyNotFound when the drawing has no layout of that name (names compare without case).
    virtual Acad::ErrorStatus setCurrentLayout(const ACHAR* name, AcDbDatabase* db = nullptr) = 0;
    // The block record of the current layout: model space for "Model".
    virtual AcDbObjectId getActiveLayoutBTRId(AcDbDatabase* db = nullptr) = 0;
    // Layouts of the drawing, "Model" included.
    virtual int countLayouts(AcDbDatabase* db = nullptr) = 0;
    // Tabs are drawn by the graphical host; the console has nothing to refresh.
    virtual void updateLayoutTabs() = 0;
};

// The editor's layout manager (what the host services' layoutManager() hands out).
AcApLayoutManager* acedLayoutManager();

#include "app/vorlix_app.h"

#include "aced.h"
#include "afx.h"
#include "app/command_table.h"
#include "app/palette.h"
#include "batchplot/driver_files.h"
#include "frames/drawing_utils.h"
#include "settings/settings.h"
#include "update/update_step.h"

namespace vorlix {

CVorlixDesignApp::CVorlixDesignApp() {
    m_bUnlocked = true;
    m_bMDIAware = true;
}

const AcRxArxCommandEntry* CVorlixDesignApp::commandTable(int& count) const {
    return vorlix::commandTable(count);
}

AcRx::AppRetCode CVorlixDesignApp::On_kInitAppMsg(void* appId) {
    // Unlock, MDI awareness and the command table; its result is the load's result.
    const AcRx::AppRetCode result = AcRxArxApp::On_kInitAppMsg(appId);
    m_frameLayerId = ensureLayer(kFrameLayer, kFrameLayerColor);
    computeLocationsFromModule();
    if (settings().reload() && settings().templateDescriptionUnreadable()) {
        CString text;
        text.Format(kUnreadableDescription, settings().shownTemplateDescriptionPath());
        acutPrintf(L"\n%s", text.GetString());
    }
    // An accepted upgrade ends the load here, so that the host lets go of the module's files.
    if (runUpdateStep(settings().moduleFolder()) == UpdateResult::HandedOver) return AcRx::kRetError;
    createPaletteSet();
    installPlotDrivers(settings().moduleFolder());
    return result;
}

AcRx::AppRetCode CVorlixDesignApp::On_kUnloadAppMsg(void* appId) {
    const AcRx::AppRetCode result = AcRxArxApp::On_kUnloadAppMsg(appId);
    destroyPaletteSet();
    settings().reset();
    m_frameLayerId = AcDbObjectId();
    return result;
}

CVorlixDesignApp& theApp() {
    static CVorlixDesignApp app;
    return app;
}

}  // namespace vorlix

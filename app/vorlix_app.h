// The application object: answers the host's application messages with the load and unload
// sequences of the module.
#pragma once

#include "acdb.h"
#include "rxregsvc.h"

namespace vorlix {

class CVorlixDesignApp : public AcRxArxApp {
public:
    CVorlixDesignApp();
    AcRx::AppRetCode On_kInitAppMsg(void* appId) override;
    AcRx::AppRetCode On_kUnloadAppMsg(void* appId) override;
    void RegisterServerComponents() override {}

    // The frame layer "C-TK" of the drawing that was current at load.
    AcDbObjectId frameLayerId() const { return m_frameLayerId; }
    void setFrameLayerId(AcDbObjectId id) { m_frameLayerId = id; }

protected:
    const AcRxArxCommandEntry* commandTable(int& count) const override;

private:
    AcDbObjectId m_frameLayerId;
};

CVorlixDesignApp& theApp();

}  // namespace vorlix

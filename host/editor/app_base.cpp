// The application base classes modules derive from: message dispatch, the unlock and MDI
// declarations, and the command table walk, symmetric between load and unload.
#include "aced.h"
#include "rxregsvc.h"

AcRxDbxApp::AcRxDbxApp() = default;
AcRxDbxApp::~AcRxDbxApp() = default;

AcRx::AppRetCode AcRxDbxApp::On_kInitAppMsg(void* appId) {
    if (m_bUnlocked) acrxUnlockApplication(appId);
    if (m_bMDIAware) acrxRegisterAppMDIAware(appId);
    RegisterServerComponents();
    return AcRx::kRetOK;
}

AcRx::AppRetCode AcRxDbxApp::On_kUnloadAppMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kLoadDwgMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kUnloadDwgMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kInvkSubrMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kCfgMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kEndMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kQuitMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kSaveMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kDependencyMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kNoDependencyMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kOleUnloadAppMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kPreQuitMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kInitDialogMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kEndDialogMsg(void*) { return AcRx::kRetOK; }
AcRx::AppRetCode AcRxDbxApp::On_kNullMsg(void*) { return AcRx::kRetOK; }
void AcRxDbxApp::RegisterServerComponents() {}

AcRx::AppRetCode AcRxDbxApp::dispatch(AcRx::AppMsgCode msg, void* appId) {
    using Slot = AcRx::AppRetCode (AcRxDbxApp::*)(void*);
    // Indexed by message code.
    static const Slot slots[] = {
        &AcRxDbxApp::On_kNullMsg,        &AcRxDbxApp::On_kInitAppMsg,     &AcRxDbxApp::On_kUnloadAppMsg,
        &AcRxDbxApp::On_kLoadDwgMsg,     &AcRxDbxApp::On_kUnloadDwgMsg,   &AcRxDbxApp::On_kInvkSubrMsg,
        &AcRxDbxApp::On_kCfgMsg,         &AcRxDbxApp::On_kEndMsg,         &AcRxDbxApp::On_kQuitMsg,
        &AcRxDbxApp::On_kSaveMsg,        &AcRxDbxApp::On_kDependencyMsg,  &AcRxDbxApp::On_kNoDependencyMsg,
        &AcRxDbxApp::On_kOleUnloadAppMsg, &AcRxDbxApp::On_kPreQuitMsg,    &AcRxDbxApp::On_kInitDialogMsg,
        &AcRxDbxApp::On_kEndDialogMsg,
    };
    const int code = static_cast<int>(msg);
    if (code < 0 || code >= static_cast<int>(sizeof(slots) / sizeof(slots[0]))) return AcRx::kRetOK;
    return (this->*slots[code])(appId);
}

AcRx::AppRetCode AcRxArxApp::On_kInitAppMsg(void* appId) {
    AcRx::AppRetCode result = AcRxDbxApp::On_kInitAppMsg(appId);
    int count = 0;
    const AcRxArxCommandEntry* table = commandTable(count);
    AcEdCommandStack* stack = acedRegCmds;
    for (int i = 0; stack && i < count; ++i) {
        const AcRxArxCommandEntry& e = table[i];
        stack->addCommand(e.group, e.globalName, e.localName, e.flags, e.function, e.uiContext, -1, m_instance);
    }
    return result;
}

AcRx::AppRetCode AcRxArxApp::On_kUnloadAppMsg(void* appId) {
    AcRx::AppRetCode result = AcRxDbxApp::On_kUnloadAppMsg(appId);
    int count = 0;
    const AcRxArxCommandEntry* table = commandTable(count);
    AcEdCommandStack* stack = acedRegCmds;
    for (int i = 0; stack && i < count; ++i) stack->removeCmd(table[i].group, table[i].globalName);
    return result;
}

// No host Lisp functions exist for modules of this host; the slots answer as the base does.
AcRx::AppRetCode AcRxArxApp::On_kLoadDwgMsg(void* appId) { return AcRxDbxApp::On_kLoadDwgMsg(appId); }
AcRx::AppRetCode AcRxArxApp::On_kUnloadDwgMsg(void* appId) { return AcRxDbxApp::On_kUnloadDwgMsg(appId); }
AcRx::AppRetCode AcRxArxApp::On_kInvkSubrMsg(void* appId) { return AcRxDbxApp::On_kInvkSubrMsg(appId); }

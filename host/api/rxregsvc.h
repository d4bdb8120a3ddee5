// Module entry: application messages, the system registry, the dynamic linker, and the
// application base classes that answer the messages for a module.
#pragma once

#include <cstdint>

#include "acadstrc.h"
#include "accmd.h"
#include "actext.h"
#include "rxobject.h"
#include "win32.h"

namespace AcRx {
enum AppMsgCode {
    kNullMsg = 0,
    kInitAppMsg = 1,
    kUnloadAppMsg = 2,
    kLoadDwgMsg = 3,
    kUnloadDwgMsg = 4,
    kInvkSubrMsg = 5,
    kCfgMsg = 6,
    kEndMsg = 7,
    kQuitMsg = 8,
    kSaveMsg = 9,
    kDependencyMsg = 10,
    kNoDependencyMsg = 11,
    kOleUnloadAppMsg = 12,
    kPreQuitMsg = 13,
    kInitDialogMsg = 14,
    kEndDialogMsg = 15,
};
enum AppRetCode {
    kRetOK = 0,
    kRetError = 3,
};
}  // namespace AcRx

// The API version of this host generation; a module reports the one it was built for.
#define ACRX_ARXAPIVERSION 18

// What a module exports: vxhost looks both up by name after loading the module.
extern "C" AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg, void* appId);
extern "C" int acrxGetApiVersion();
// The module kit's handshake: put once in the module's entry-point file.
#define ACRX_DEFINE_API_VERSION()                                             \
    extern "C" __attribute__((visibility("default"))) int acrxGetApiVersion() { \
        return ACRX_ARXAPIVERSION;                                            \
    }

// Name -> object dictionary of host services ("DynamicLinker", ACRX_COMMAND_DOCK).
class AcRxDictionary : public AcRxObject {
public:
    virtual AcRxObject* at(const ACHAR* key) const = 0;
    virtual bool has(const ACHAR* key) const = 0;
    virtual uint32_t numEntries() const = 0;
};
AcRxDictionary* acrxSysRegistry();

#define ACRX_DYNAMIC_LINKER L"DynamicLinker"

class AcRxDynamicLinker : public AcRxObject {
public:
    static AcRxDynamicLinker* cast(AcRxObject* o) { return dynamic_cast<AcRxDynamicLinker*>(o); }
    // appId: the value the module got with kInitAppMsg.
    virtual bool unlockApplication(void* appId) = 0;
    virtual bool lockApplication(void* appId) = 0;
    virtual bool isApplicationLocked(const ACHAR* moduleName) const = 0;
    virtual bool registerAppMDIAware(void* appId) = 0;
    virtual bool registerAppNotMDIAware(void* appId) = 0;
    // Loads a module file and sends it kInitAppMsg; printIt reports failures on the command line.
    virtual bool loadModule(const ACHAR* fileName, bool printIt, bool asCmd = false) = 0;
    // Sends kUnloadAppMsg and unloads; false for a locked or unknown module.
    virtual bool unloadModule(const ACHAR* fileName, bool printIt, bool asCmd = false) = 0;
};
#define acrxDynamicLinker AcRxDynamicLinker::cast(acrxSysRegistry()->at(ACRX_DYNAMIC_LINKER))

bool acrxUnlockApplication(void* appId);
bool acrxLockApplication(void* appId);
bool acrxRegisterAppMDIAware(void* appId);
bool acrxRegisterAppNotMDIAware(void* appId);

// One command of a module's command table.
struct AcRxArxCommandEntry {
    const ACHAR* group;
    const ACHAR* globalName;
    const ACHAR* localName;
    int32_t flags;
    AcRxFunctionPtr function;
    AcEdUIContext* uiContext;
};

// The database side of a module: unlock and MDI declarations at load, custom classes (none are
// registered by this host's modules), and every message slot answering kRetOK.
class AcRxDbxApp {
public:
    AcRxDbxApp();
    virtual ~AcRxDbxApp();

    virtual AcRx::AppRetCode On_kInitAppMsg(void* appId);
    virtual AcRx::AppRetCode On_kUnloadAppMsg(void* appId);
    virtual AcRx::AppRetCode On_kLoadDwgMsg(void* appId);
    virtual AcRx::AppRetCode On_kUnloadDwgMsg(void* appId);
    virtual AcRx::AppRetCode On_kInvkSubrMsg(void* appId);
    virtual AcRx::AppRetCode On_kCfgMsg(void* appId);
    virtual AcRx::AppRetCode On_kEndMsg(void* appId);
    virtual AcRx::AppRetCode On_kQuitMsg(void* appId);
    virtual AcRx::AppRetCode On_kSaveMsg(void* appId);
    virtual AcRx::AppRetCode On_kDependencyMsg(void* appId);
    virtual AcRx::AppRetCode On_kNoDependencyMsg(void* appId);
    virtual AcRx::AppRetCode On_kOleUnloadAppMsg(void* appId);
    virtual AcRx::AppRetCode On_kPreQuitMsg(void* appId);
    virtual AcRx::AppRetCode On_kInitDialogMsg(void* appId);
    virtual AcRx::AppRetCode On_kEndDialogMsg(void* appId);
    virtual AcRx::AppRetCode On_kNullMsg(void* appId);
    virtual void RegisterServerComponents();

    // Routes message codes 0..15 to their slot; any other code answers kRetOK.
    AcRx::AppRetCode dispatch(AcRx::AppMsgCode msg, void* appId);

    HINSTANCE instance() const { return m_instance; }
    void setInstance(HINSTANCE h) { m_instance = h; }

protected:
    HINSTANCE m_instance = nullptr;
    bool m_bUnlocked = true;
    bool m_bMDIAware = true;
};

// The editor side: the command table is added at load and removed at unload, in table order.
class AcRxArxApp : public AcRxDbxApp {
public:
    AcRx::AppRetCode On_kInitAppMsg(void* appId) override;
    AcRx::AppRetCode On_kUnloadAppMsg(void* appId) override;
    AcRx::AppRetCode On_kLoadDwgMsg(void* appId) override;
    AcRx::AppRetCode On_kUnloadDwgMsg(void* appId) override;
    AcRx::AppRetCode On_kInvkSubrMsg(void* appId) override;

protected:
    // The module's table; the base class walks it.
    virtual const AcRxArxCommandEntry* commandTable(int& count) const = 0;
};

// A small module for the dynamic linker's tests. Its behaviour is chosen at build time:
// VX_LOCKED (never unlocks), VX_REFUSE (registers a command, then refuses to start),
// VX_NO_VERSION (lacks the version handshake), VX_OLD_VERSION (reports another version).
#include "aced.h"
#include "rxregsvc.h"

namespace {
void hello() { acutPrintf(L"\nhello from %s", VX_MODULE_NAME); }
}  // namespace

#if !defined(VX_NO_VERSION) && !defined(VX_OLD_VERSION)
ACRX_DEFINE_API_VERSION()
#endif
#ifdef VX_OLD_VERSION
extern "C" __attribute__((visibility("default"))) int acrxGetApiVersion() { return 17; }
#endif

extern "C" __attribute__((visibility("default"))) AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg,
                                                                                  void* appId) {
    switch (msg) {
        case AcRx::kInitAppMsg:
#ifndef VX_LOCKED
            acrxUnlockApplication(appId);
#endif
            acrxRegisterAppMDIAware(appId);
            acedRegCmds->addCommand(L"SAMPLE_" VX_MODULE_NAME, L"Hello", L"HELLO_" VX_MODULE_NAME, 0, hello);
#ifdef VX_REFUSE
            return AcRx::kRetError;
#else
            break;
#endif
        case AcRx::kUnloadAppMsg:
#ifndef VX_REFUSE
            acedRegCmds->removeGroup(L"SAMPLE_" VX_MODULE_NAME);
#endif
            break;
        default: break;
    }
    return AcRx::kRetOK;
}

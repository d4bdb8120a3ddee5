// The module's exports and its attach to the host process.
#include "acui.h"
#include "afxwin.h"
#include "app/vorlix_app.h"
#include "rxregsvc.h"

namespace {

AFX_EXTENSION_MODULE g_extension = {};

// The attach step of the module's process entry: runs when the host maps the module.
struct ModuleAttach {
    ModuleAttach() {
        HINSTANCE self = vxThisModuleHandle();
        vorlix::theApp().setInstance(self);
        if (AfxInitExtensionModule(g_extension, self)) new CDynLinkLibrary(g_extension);
        InitAcUiDLL();
    }
    ~ModuleAttach() { AfxTermExtensionModule(g_extension); }
};
ModuleAttach g_attach;

}  // namespace

ACRX_DEFINE_API_VERSION()

extern "C" __attribute__((visibility("default"))) AcRx::AppRetCode acrxEntryPoint(AcRx::AppMsgCode msg,
                                                                                  void* appId) {
    return vorlix::theApp().dispatch(msg, appId);
}

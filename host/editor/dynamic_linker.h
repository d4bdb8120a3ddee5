// The dynamic linker: loads module files with dlopen, sends them the application messages,
// and keeps what each module declared (unlocked, MDI-aware).
#pragma once

#include <memory>
#include <string>
#include <vector>

#include "rxregsvc.h"

namespace vx::editor {

struct LoadedModule {
    std::wstring path;  // as native path
    std::wstring name;  // file name, what ARX Unload takes
    void* handle = nullptr;
    AcRx::AppRetCode (*entry)(AcRx::AppMsgCode, void*) = nullptr;
    bool unlocked = false;
    bool mdiAware = false;
};

class DynamicLinker : public AcRxDynamicLinker {
public:
    bool unlockApplication(void* appId) override;
    bool lockApplication(void* appId) override;
    bool isApplicationLocked(const ACHAR* moduleName) const override;
    bool registerAppMDIAware(void* appId) override;
    bool registerAppNotMDIAware(void* appId) override;
    bool loadModule(const ACHAR* fileName, bool printIt, bool asCmd) override;
    bool unloadModule(const ACHAR* fileName, bool printIt, bool asCmd) override;

    // At exit: every module, newest first, locked or not.
    void unloadAll();
    const std::vector<std::unique_ptr<LoadedModule>>& modules() const { return m_modules; }
    // Why the last load or unload failed, in words for the command line.
    const std::wstring& lastError() const { return m_error; }
    // False when a loaded module did not declare itself MDI-aware: the host then keeps one
    // drawing open at a time.
    bool allMdiAware() const;

private:
    LoadedModule* find(void* appId) const;
    LoadedModule* findByName(const std::wstring& name) const;
    void release(LoadedModule* m);
    bool fail(bool printIt, std::wstring message);

    std::vector<std::unique_ptr<LoadedModule>> m_modules;
    std::wstring m_error;
};

DynamicLinker& dynamicLinker();

}  // namespace vx::editor

#include "editor/dynamic_linker.h"

#include <dlfcn.h>

#include <algorithm>

#include "aced.h"
#include "editor/command_stack.h"
#include "text/encoding.h"
#include "win32/paths.h"

namespace vx::editor {
namespace {

std::wstring fileNameOf(const std::wstring& path) {
    size_t slash = path.find_last_of(L"/\\");
    return slash == std::wstring::npos ? path : path.substr(slash + 1);
}

// The module file as the platform's file functions find it (separators and case), kept wide
// for messages and the module list.
std::wstring nativePath(const ACHAR* path) { return vx::text::fromUtf8(vx::win32::nativePath(path)); }

// Whether `address` lies inside the shared object opened as `handle`.
bool addressInModule(const void* address, void* handle) {
    Dl_info info{};
    if (!address || !dladdr(address, &info) || !info.dli_fname) return false;
    void* h = dlopen(info.dli_fname, RTLD_NOW | RTLD_NOLOAD);
    if (!h) return false;
    bool same = h == handle;
    dlclose(h);
    return same;
}

}  // namespace

bool DynamicLinker::fail(bool printIt, std::wstring message) {
    m_error = std::move(message);
    if (printIt) acutPrintf(L"\n%s", m_error.c_str());
    return false;
}

LoadedModule* DynamicLinker::find(void* appId) const {
    for (auto& m : m_modules)
        if (m.get() == appId) return m.get();
    return nullptr;
}

LoadedModule* DynamicLinker::findByName(const std::wstring& name) const {
    const std::wstring native = nativePath(name.c_str());
    for (auto& m : m_modules)
        if (equalNoCase(m->name, name) || m->path == native || equalNoCase(m->name, fileNameOf(native)))
            return m.get();
    return nullptr;
}

bool DynamicLinker::unlockApplication(void* appId) {
    LoadedModule* m = find(appId);
    if (!m) return false;
    m->unlocked = true;
    return true;
}

bool DynamicLinker::lockApplication(void* appId) {
    LoadedModule* m = find(appId);
    if (!m) return false;
    m->unlocked = false;
    return true;
}

bool DynamicLinker::isApplicationLocked(const ACHAR* moduleName) const {
    LoadedModule* m = moduleName ? findByName(moduleName) : nullptr;
    return m && !m->unlocked;
}

bool DynamicLinker::registerAppMDIAware(void* appId) {
    LoadedModule* m = find(appId);
    if (!m) return false;
    m->mdiAware = true;
    return true;
}

bool DynamicLinker::registerAppNotMDIAware(void* appId) {
    LoadedModule* m = find(appId);
    if (!m) return false;
    m->mdiAware = false;
    return true;
}

bool DynamicLinker::allMdiAware() const {
    return std::all_of(m_modules.begin(), m_modules.end(), [](auto& m) { return m->mdiAware; });
}

bool DynamicLinker::loadModule(const ACHAR* fileName, bool printIt, bool) {
    const std::wstring path = nativePath(fileName);
    if (path.empty()) return fail(printIt, L"No module file given.");
    const std::wstring name = fileNameOf(path);
    if (LoadedModule* m = findByName(path); m && m->path == path) {
        if (printIt) acutPrintf(L"\n%s is already loaded.", name.c_str());
        return true;
    }
    void* handle = dlopen(vx::text::toUtf8(path).c_str(), RTLD_NOW | RTLD_LOCAL);
    if (!handle) {
        const char* why = dlerror();
        return fail(printIt, L"Unable to load " + path + L": " + vx::text::fromUtf8(why ? why : "unknown error"));
    }
    // Both symbols must come from the module itself, not from a library it links.
    void* entry = dlsym(handle, "acrxEntryPoint");
    void* version = dlsym(handle, "acrxGetApiVersion");
    std::wstring problem;
    if (!entry || !addressInModule(entry, handle))
        problem = L" is not a module: it has no acrxEntryPoint.";
    else if (!version || !addressInModule(version, handle))
        problem = L" is not a module: it has no acrxGetApiVersion.";
    else if (int v = reinterpret_cast<int (*)()>(version)(); v != ACRX_ARXAPIVERSION)
        problem = L" was built for API version " + std::to_wstring(v) + L"; this host is version " +
                  std::to_wstring(ACRX_ARXAPIVERSION) + L".";
    if (!problem.empty()) {
        dlclose(handle);
        return fail(printIt, L"Unable to load " + path + L": " + name + problem);
    }
    auto mod = std::make_unique<LoadedModule>();
    mod->path = path;
    mod->name = name;
    mod->handle = handle;
    mod->entry = reinterpret_cast<AcRx::AppRetCode (*)(AcRx::AppMsgCode, void*)>(entry);
    LoadedModule* m = mod.get();
    m_modules.push_back(std::move(mod));
    if (m->entry(AcRx::kInitAppMsg, m) != AcRx::kRetOK) {
        // A module that refuses to start still gets its unload message, so that whatever it
        // registered before refusing is taken back.
        m->entry(AcRx::kUnloadAppMsg, m);
        release(m);
        return fail(printIt, name + L" did not initialise and was unloaded.");
    }
    m_error.clear();
    if (printIt) acutPrintf(L"\n%s loaded.", name.c_str());
    return true;
}

void DynamicLinker::release(LoadedModule* m) {
    // Commands whose function lives in the module would point into unmapped code after
    // dlclose: take them off the stack whatever the module did itself.
    for (const CommandInfo& c : commandStack().commands())
        if (addressInModule(reinterpret_cast<void*>(c.function), m->handle))
            commandStack().removeCmd(c.group.c_str(), c.globalName.c_str());
    void* handle = m->handle;
    m_modules.erase(std::remove_if(m_modules.begin(), m_modules.end(), [m](auto& p) { return p.get() == m; }),
                    m_modules.end());
    dlclose(handle);
}

bool DynamicLinker::unloadModule(const ACHAR* fileName, bool printIt, bool) {
    LoadedModule* m = fileName ? findByName(fileName) : nullptr;
    if (!m) return fail(printIt, std::wstring(fileName ? fileName : L"") + L" is not loaded.");
    if (!m->unlocked) return fail(printIt, m->name + L" is locked and cannot be unloaded.");
    const std::wstring name = m->name;
    m->entry(AcRx::kUnloadAppMsg, m);
    release(m);
    m_error.clear();
    if (printIt) acutPrintf(L"\n%s unloaded.", name.c_str());
    return true;
}

void DynamicLinker::unloadAll() {
    while (!m_modules.empty()) {
        LoadedModule* m = m_modules.back().get();
        m->entry(AcRx::kUnloadAppMsg, m);
        release(m);
    }
}

DynamicLinker& dynamicLinker() {
    static DynamicLinker* linker = new DynamicLinker;
    return *linker;
}

}  // namespace vx::editor

bool acrxUnlockApplication(void* appId) { return vx::editor::dynamicLinker().unlockApplication(appId); }
bool acrxLockApplication(void* appId) { return vx::editor::dynamicLinker().lockApplication(appId); }
bool acrxRegisterAppMDIAware(void* appId) { return vx::editor::dynamicLinker().registerAppMDIAware(appId); }
bool acrxRegisterAppNotMDIAware(void* appId) {
    return vx::editor::dynamicLinker().registerAppNotMDIAware(appId);
}

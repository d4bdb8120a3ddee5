// The system registry: the named host services that modules look up.
#include "aced.h"
#include "editor/command_stack.h"
#include "editor/dynamic_linker.h"

namespace {

class SysRegistry : public AcRxDictionary {
public:
    AcRxObject* at(const ACHAR* key) const override {
        if (!key) return nullptr;
        const std::wstring k = key;
        if (vx::editor::equalNoCase(k, ACRX_DYNAMIC_LINKER)) return &vx::editor::dynamicLinker();
        if (vx::editor::equalNoCase(k, ACRX_COMMAND_DOCK)) return &vx::editor::commandStack();
        return nullptr;
    }
    bool has(const ACHAR* key) const override { return at(key) != nullptr; }
    uint32_t numEntries() const override { return 2; }
};

}  // namespace

AcRxDictionary* acrxSysRegistry() {
    static SysRegistry registry;
    return &registry;
}

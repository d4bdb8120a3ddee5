#include "editor/host_commands.h"

#include <utility>

#include "text/strings.h"

namespace vx::editor {
namespace {

struct Entry {
    std::wstring name;
    HostCommandFn fn;
};

std::vector<Entry>& table() {
    static std::vector<Entry> t;
    return t;
}

std::wstring upper(const std::wstring& s) {
    std::wstring u = s;
    for (auto& c : u) c = vx::text::foldCase(c);
    return u;
}

}  // namespace

void registerHostCommand(const std::wstring& name, HostCommandFn fn) {
    const std::wstring key = upper(name);
    for (auto& e : table()) {
        if (e.name == key) {
            e.fn = std::move(fn);
            return;
        }
    }
    table().push_back({key, std::move(fn)});
}

const HostCommandFn* findHostCommand(const std::wstring& name) {
    const std::wstring key = upper(name);
    for (auto& e : table())
        if (e.name == key) return &e.fn;
    return nullptr;
}

std::vector<std::wstring> hostCommandNames() {
    std::vector<std::wstring> names;
    for (auto& e : table()) names.push_back(e.name);
    return names;
}

}  // namespace vx::editor

#include "editor/command_stack.h"

namespace vx::editor {

std::wstring toUpper(std::wstring s) {
    for (auto& c : s) c = vx::text::foldCase(c);
    return s;
}

class CommandStack::Command : public AcEdCommand {
public:
    explicit Command(CommandInfo info, int fcode) : m_info(std::move(info)), m_fcode(fcode) {}
    const ACHAR* globalName() const override { return m_info.globalName.c_str(); }
    const ACHAR* localName() const override { return m_info.localName.c_str(); }
    const ACHAR* groupName() const override { return m_info.group.c_str(); }
    int32_t commandFlags() const override { return m_info.flags; }
    AcRxFunctionPtr functionAddr() const override { return m_info.function; }
    HINSTANCE resourceHandle() const override { return m_info.resource; }
    int functionCode() const override { return m_fcode; }
    const CommandInfo& info() const { return m_info; }

private:
    CommandInfo m_info;
    int m_fcode;
};

CommandStack::~CommandStack() { clear(); }

void CommandStack::clear() {
    for (auto& g : m_groups)
        for (Command* c : g.commands) delete c;
    m_groups.clear();
}

CommandStack::Group* CommandStack::findGroup(const std::wstring& name) {
    for (auto& g : m_groups)
        if (equalNoCase(g.name, name)) return &g;
    return nullptr;
}

Acad::ErrorStatus CommandStack::addCommand(const ACHAR* groupName, const ACHAR* globalName,
                                           const ACHAR* localName, int32_t commandFlags,
                                           AcRxFunctionPtr function, AcEdUIContext*, int functionCode,
                                           HINSTANCE resourceHandle, AcEdCommand** commandOut) {
    if (!groupName || !*groupName || !globalName || !*globalName || !function)
        return Acad::eInvalidInput;
    CommandInfo info{groupName, globalName, localName && *localName ? localName : globalName,
                     commandFlags, function, resourceHandle};
    Group* g = findGroup(info.group);
    if (g) {
        for (Command* c : g->commands) {
            if (equalNoCase(c->info().globalName, info.globalName) ||
                equalNoCase(c->info().localName, info.localName))
                return Acad::eDuplicateKey;
        }
    } else {
        m_groups.push_back({info.group, {}});
        g = &m_groups.back();
    }
    auto* cmd = new Command(std::move(info), functionCode);
    g->commands.push_back(cmd);
    if (commandOut) *commandOut = cmd;
    return Acad::eOk;
}

Acad::ErrorStatus CommandStack::removeCmd(const ACHAR* groupName, const ACHAR* globalName) {
    if (!groupName || !globalName) return Acad::eInvalidInput;
    Group* g = findGroup(groupName);
    if (!g) return Acad::eKeyNotFound;
    for (auto it = g->commands.begin(); it != g->commands.end(); ++it) {
        if (equalNoCase((*it)->info().globalName, globalName)) {
            delete *it;
            g->commands.erase(it);
            if (g->commands.empty()) removeGroup(groupName);
            return Acad::eOk;
        }
    }
    return Acad::eKeyNotFound;
}

Acad::ErrorStatus CommandStack::removeGroup(const ACHAR* groupName) {
    if (!groupName) return Acad::eInvalidInput;
    for (auto it = m_groups.begin(); it != m_groups.end(); ++it) {
        if (equalNoCase(it->name, groupName)) {
            for (Command* c : it->commands) delete c;
            m_groups.erase(it);
            return Acad::eOk;
        }
    }
    return Acad::eKeyNotFound;
}

AcEdCommand* CommandStack::lookupCmd(const ACHAR* name, bool globalFlag) {
    if (!name) return nullptr;
    const std::wstring key = name;
    for (auto g = m_groups.rbegin(); g != m_groups.rend(); ++g)
        for (Command* c : g->commands)
            if (equalNoCase(globalFlag ? c->info().globalName : c->info().localName, key)) return c;
    return nullptr;
}

AcEdCommand* CommandStack::lookupGlobalCmd(const ACHAR* globalName) { return lookupCmd(globalName, true); }
AcEdCommand* CommandStack::lookupLocalCmd(const ACHAR* localName) { return lookupCmd(localName, false); }

std::vector<CommandInfo> CommandStack::commands() const {
    std::vector<CommandInfo> out;
    for (const auto& g : m_groups)
        for (const Command* c : g.commands) out.push_back(c->info());
    return out;
}

CommandStack& commandStack() {
    static CommandStack* stack = new CommandStack;  // lives as long as the process: modules may
                                                    // still remove commands while it shuts down
    return *stack;
}

}  // namespace vx::editor
